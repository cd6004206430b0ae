#include "model/table.hpp"

namespace tessadro {

void index_out_of_bounds(const char* table, int dimension, long index, long bound, bool above) {
    throw RunError(current_location(), "Index '" + std::to_string(index) + "' of dimension " +
                                           std::to_string(dimension) + " of array '" + table + "' " +
                                           (above ? "above upper" : "below lower") + " bound of " +
                                           std::to_string(bound));
}

}  // namespace tessadro
