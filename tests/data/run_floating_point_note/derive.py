"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import free, run, small_year, write_expected, write_inputs  # noqa: E402

# The small year, plus a well whose x lies 1e30 ft east: its column quotient is
# far beyond the 4-byte integer range.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),
                           (8, 802, 1.0e30, 750.0, 0.0, 'GW', 5.0, 1.0, 2.0)])

write_inputs(HERE, year)
result = run(year)

# The well is off the grid: message 1, row 1 (250 ft below the north edge at
# y = 1000), column -2147483648 + 1 = -2147483647.
assert result.files['output2010.dat'][1] == free(1, 1, -2147483647, ' pumping')
assert result.status == 0
# The truncation of that quotient raised the invalid-operation flag, and no
# other arithmetic of the run raised a reported flag: the run ends normally
# with the note.
result.stderr.append('Note: The following floating-point exceptions are signalling: IEEE_INVALID_FLAG')

write_expected(HERE, result)
