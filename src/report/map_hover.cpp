#include "report/map_hover.hpp"

namespace tessadro {

// The maps' images are palette PNGs of a pixel a cell: a cell's colour is
// one of its legend's swatches. The problems table is found by the texts of
// its "row" and "column" headers, so that its other columns may change.
const char* map_hover_script() {
    return R"(<script>
document.addEventListener("DOMContentLoaded", function () {
  "use strict";
  var tip = document.createElement("div");
  tip.id = "map-tip";
  tip.style.cssText = "position:fixed;display:none;pointer-events:none;background:#fff;border:1px solid #888;" +
    "padding:2px 6px;font:12px sans-serif;box-shadow:1px 1px 3px #aaa;z-index:1";
  document.body.appendChild(tip);
  var decoded = new Map();
  function pixels(img, then) {
    var entry = decoded.get(img);
    if (!entry) {
      entry = {data: null, waiting: []};
      decoded.set(img, entry);
      var picture = new Image();
      picture.onload = function () {
        var canvas = document.createElement("canvas");
        canvas.width = picture.width;
        canvas.height = picture.height;
        var context = canvas.getContext("2d");
        context.drawImage(picture, 0, 0);
        entry.data = context.getImageData(0, 0, canvas.width, canvas.height).data;
        entry.waiting.forEach(function (f) { f(entry.data); });
      };
      picture.src = img.getAttribute("href");
    }
    if (entry.data) then(entry.data); else entry.waiting.push(then);
  }
  function hex(v) { return ("0" + v.toString(16)).slice(-2); }
  function legendLine(svg, colour) {
    var swatches = svg.querySelectorAll("rect.swatch");
    for (var k = 0; k < swatches.length; ++k) {
      if (swatches[k].getAttribute("fill") === colour) return swatches[k].nextElementSibling.textContent;
    }
    return "";
  }
  var images = document.querySelectorAll("image.cells");
  images.forEach(function (img) {
    var rows = +img.dataset.rows, columns = +img.dataset.columns;
    img.addEventListener("mousemove", function (e) {
      var box = img.getBoundingClientRect();
      var column = Math.floor((e.clientX - box.left) / box.width * columns) + 1;
      var row = Math.floor((e.clientY - box.top) / box.height * rows) + 1;
      if (row < 1 || row > rows || column < 1 || column > columns) { tip.style.display = "none"; return; }
      var where = "row " + row + ", column " + column;
      tip.textContent = where;
      tip.dataset.at = where;
      tip.style.left = (e.clientX + 14) + "px";
      tip.style.top = (e.clientY + 14) + "px";
      tip.style.display = "block";
      pixels(img, function (data) {
        if (tip.dataset.at !== where) return;
        var at = ((row - 1) * columns + column - 1) * 4;
        var line = legendLine(img.ownerSVGElement, "#" + hex(data[at]) + hex(data[at + 1]) + hex(data[at + 2]));
        tip.textContent = where + ": " + line + (/ to /.test(line) ? " " + img.dataset.unit : "");
      });
    });
    img.addEventListener("mouseleave", function () { tip.style.display = "none"; });
  });
  function outline(row, column) {
    images.forEach(function (img) {
      var svg = img.ownerSVGElement, rows = +img.dataset.rows, columns = +img.dataset.columns;
      var mark = svg.querySelector("rect.pointed");
      if (!mark) {
        mark = document.createElementNS("http://www.w3.org/2000/svg", "rect");
        mark.setAttribute("class", "pointed");
        mark.setAttribute("fill", "none");
        mark.setAttribute("stroke", "#ff7f00");
        mark.setAttribute("stroke-width", "2");
        mark.setAttribute("pointer-events", "none");
        svg.appendChild(mark);
      }
      if (!(row >= 1 && row <= rows && column >= 1 && column <= columns)) { mark.setAttribute("display", "none"); return; }
      var w = img.width.baseVal.value / columns, h = img.height.baseVal.value / rows;
      var side = Math.max(w, h, 10);
      mark.setAttribute("x", img.x.baseVal.value + (column - 0.5) * w - side / 2);
      mark.setAttribute("y", img.y.baseVal.value + (row - 0.5) * h - side / 2);
      mark.setAttribute("width", side);
      mark.setAttribute("height", side);
      mark.removeAttribute("display");
    });
  }
  var table = document.getElementById("problems");
  if (!table) return;
  var heads = [].map.call(table.querySelectorAll("th"), function (th) { return th.textContent.trim(); });
  var rowAt = heads.indexOf("row"), columnAt = heads.indexOf("column");
  if (rowAt < 0 || columnAt < 0) return;
  var pointed = null;
  table.addEventListener("mouseover", function (e) {
    var tr = e.target.closest("tr");
    if (!tr || tr === pointed || tr.querySelector("th") || tr.cells.length <= Math.max(rowAt, columnAt)) return;
    if (pointed) pointed.style.background = "";
    pointed = tr;
    tr.style.background = "#ffe8cc";
    var number = function (cell) { return parseInt(cell.textContent.replace(/,/g, ""), 10); };
    outline(number(tr.cells[rowAt]), number(tr.cells[columnAt]));
  });
});
</script>
)";
}

}  // namespace tessadro
