"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (COUNTY_1_FACTORS, Year, county_factors, f32, free, run, write_expected,  # noqa: E402
                       write_inputs)

year = Year(
    year='2010', factor='1.0',
    nrow=3, ncol=4, delx=1000.0, dely=1000.0, xorigin=10000.0, yorigin=20000.0,
    ibound=[[1, 1, 1, 1],
            [1, 1, -1, 1],
            [1, 1, 1, 0]],
    icty=[[0, 1, 2, 1],
          [1, 2, 1, 2],
          [2, 1, 1, 1]],
    factors=county_factors(COUNTY_1_FACTORS, (0.05, 0.1, 0.3, 0.3, 0.2, 0.05)),   # counties 1, 2
    pdivs=[99999],
    coords=[(5, 10, 1, 1, 99999.0, 99999.0),     # listed twice: the later record counts
            (5, 10, 1, 1, 11500.0, 22500.0),     # cell (2,1)
            (5, 10, 1, 2, 12500.0, 21500.0),     # cell (3,2), ibound -1
            (5, 10, 2, 1, 11300.0, 21700.0),     # cell (2,2)
            (5, 10, 2, 2, 11700.0, 21300.0),     # cell (2,2)
            (5, 10, 3, 1, 10500.0, 20500.0),     # cell (1,3)
            (5, 10, 3, 2, 11500.0, 20500.0),     # cell (2,3)
            (5, 10, 4, 1, 13550.0, 22450.0),     # cell (4,1)
            (20, 45, 36, 16, 1.0, 2.0)],         # the largest survey numbers; no group uses it
    authacres=[(1, 5, 10, 1, 1, 40.0),
               (1, 5, 10, 1, 2, 80.0),
               (2, 5, 10, 2, 1, 40.0),
               (2, 5, 10, 2, 2, 80.0),
               (3, 5, 10, 3, 1, 50.0),
               (3, 5, 10, 3, 2, 0.0),
               (9, 5, 10, 4, 1, 20.0)],
    pumping=[(1, 101, 10200.0, 22800.0, 0.0, 'GW', 300.0, 50.0, 35.0),
             (1, 102, 10800.0, 22200.0, 0.0, 'GW', 200.0, 40.0, 25.0),
             (2, 201, 10500.0, 21500.0, 0.0, 'GW', 100.0, 90.0, 60.0),
             (9, 901, 13400.0, 22600.0, 0.0, 'GW', 6.0, 5.0, 3.0),
             (9, 902, 13500.0, 22900.0, 0.0, 'GW', 4.0, 4.0, 3.0)],
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned numbers of the README, checked against the records.
assert f32(40.0 / 120.0) == f32(0.333333343) and f32(80.0 / 120.0) == f32(0.666666687)
rows = [line for line in result.files['authacres2010.out'][5004:]]
assert len(rows) == 7
assert rows[0].startswith(free(1, 5, 10, 1, 1, 40.0, f32(40.0 / 120.0), 11500.0, 22500.0, 1, 2, 2))
assert rows[1].startswith(free(1, 5, 10, 1, 2, 80.0, f32(80.0 / 120.0), 12500.0, 21500.0, 2, 3, 329))
assert rows[1].split()[13] == '-1'                                 # the ibound column
assert rows[2].endswith(free(20.0, 60.0, 1)[1:])                   # acres(2,2) after the first share
assert rows[3].endswith(free(60.0, 60.0, 2)[1:])                   # ... and after both shares
assert free(0.0, 0.0, 1) in rows[4] and rows[5].startswith(free(3, 5, 10, 3, 2, 0.0, 0.0))
# Group 9: both distances are sqrt(100**2 + 300**2) / 5280 worked in 4-byte steps
# (differences, squares, sum, root, quotient each rounded): 5.98916188E-02; one
# rounding of the double result would give 5.98916225E-02.
assert free(1, 2, 13450.0, 22750.0)[1:] in rows[6]
assert rows[6].count('5.98916188E-02') == 2
gw = result.files['gwretgrid2010.dat']
assert [line.split()[2] for line in gw] == ['30.0000000', '9.00000000', '90.0000000', '60.0000000']
ac = result.files['acresgrid2010.dat']
assert [line.split()[2] for line in ac] == ['20.0000000', '6.00000000', '60.0000000', '40.0000000']
assert result.files['2010.05.pmp'] == ['  50.0   0.0   0.0   1.0', '  10.0   0.0   0.0   0.0',
                                       '   0.0   0.0   0.0   0.0']
assert result.status == 0 and result.stderr == []

write_expected(HERE, result)
