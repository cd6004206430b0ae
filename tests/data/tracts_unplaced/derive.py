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
            [1, 1, 1, 1],
            [1, 1, 1, 0]],
    icty=[[1, 1, 2, 1],
          [1, 2, 1, 2],
          [2, 1, 1, 1]],
    factors=county_factors(COUNTY_1_FACTORS, (0.05, 0.1, 0.3, 0.3, 0.2, 0.05)),   # counties 1, 2
    pdivs=[99999],
    coords=[(5, 10, 1, 2, 11500.0, 19500.0),     # column 2, row 4: south of the grid
            (5, 10, 1, 3, 13500.0, 20500.0),     # cell (4,3), inactive
            (5, 10, 1, 4, 14500.0, 21500.0),     # column 5: east of the grid
            (5, 10, 1, 5, 11500.0, 21500.0),     # cell (2,2)
            (5, 10, 2, 1, 12500.0, 22500.0),     # cell (3,1)
            (5, 10, 2, 2, 10500.0, 21500.0)],    # cell (1,2)
    authacres=[(4, 5, 10, 1, 1, 10.0),           # tract 1 is not in the coordinates file
               (4, 5, 10, 1, 2, 20.0),
               (4, 5, 10, 1, 3, 30.0),
               (4, 5, 10, 1, 4, 15.0),
               (4, 5, 10, 1, 5, 25.0),
               (5, 5, 10, 2, 1, 0.0),
               (6001, 99, 99, 99, 99, 10.0),     # beyond the group tables
               (6, 5, 10, 2, 2, 5.0e-7)],
    pumping=[(4, 401, 9000.0, 22500.0, 0.0, 'GW', 75.0, 5.0, 5.0),     # column 0: off the grid
             (4, 402, 10500.0, 22500.0, 0.0, 'GW', 200.0, 30.0, 20.0),
             (5, 501, 12500.0, 22500.0, 0.0, 'GW', 50.0, 12.0, 8.0),
             (6, 601, 10500.0, 21500.0, 0.0, 'GW', 40.0, 6.0, 4.0)],
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned records of the README, checked against the model.
report = result.files['output2010.dat']
assert report[1] == free(1, 1, 0, ' pumping')
assert report[2] == free(5, 12.0, 8.0, 12.0, 8.0, 1, 3, 3, 1)
assert report[3] == free(6, 6.0, 4.0, 18.0, 12.0, 2, 1, 5, 2)
assert report[6] == free(2, 24, -9, ' return flow 1') and len(report[6]) == 51
assert report[7] == free(3, 4, 2, 'return flow ') and len(report[7]) == 49
assert report[8] == free(4, 3, 3, 4, 9.0, 6.0, 'I') and len(report[8]) == 84
assert report[9] == free(5, 2, 5, ' return flow 1')
assert report[10:] == [free('reassign unauthorized place of use to pd'),
                       free('idxna', ' grpna(idxna)', ' reassgn'),
                       free(1, 5, 8.0), free(2, 6, 4.0)]
rows = result.files['authacres2010.out'][5004:]
assert rows == [free(4, 5, 10, 1, 5, 25.0, 0.25, 11500.0, 21500.0, 2, 2, 328, 0.25, 1, 1, 10500.0, 22500.0,
                     f32(f32(1000.0 * 2 ** 0.5) / 5280.0), 0.0, 5.0, 20.0, 5),
                free(5, 5, 10, 2, 1, 0.0, 0.0, 12500.0, 22500.0, 1, 3, 3, 0.0, 1, 1, 12500.0, 22500.0,
                     0.0, 0.0, 0.0, 8.0, 1),
                free(6, 5, 10, 2, 2, f32(5.0e-7), 0.0, 10500.0, 21500.0, 2, 1, 327, 0.0, 1, 1, 10500.0,
                     21500.0, 0.0, 0.0, 0.0, 4.0, 1)]
assert result.stdout[16] == free('WARNING: largest group no.', 6001, ' exceeds array dimension limit nGroups,', 5000)
assert result.status == 0 and result.stderr == []

write_expected(HERE, result)
