#pragma once

namespace tessadro {

// The page's optional script, for a reader with a pointer: pointing at a
// cell of a map shows its row, its column and its colour's legend line
// (read from the map's image, decoded in the browser); pointing at a row of
// the problems table outlines its cell on every map until another row is
// pointed at. The page says everything without it.
const char* map_hover_script();

}  // namespace tessadro
