"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import run, small_year, write_expected, write_inputs  # noqa: E402

# The small year, its one well holding 1e39 in the fifth value, which is read
# and never used.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 1.0e39, 'GW', 400.0, 80.0, 40.0)])

write_inputs(HERE, year)
result = run(year)
assert result.status == 0
# 1e39 is beyond the largest 4-byte real (3.4028235e38): it reads as Infinity,
# and that conversion raises overflow. Nothing else of the small year raises a
# reported flag.
result.stderr.append('Note: The following floating-point exceptions are signalling: IEEE_OVERFLOW_FLAG')

write_expected(HERE, result)
