"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Truncated, Year, free, run, write_expected, write_inputs  # noqa: E402


def mi(id1, id2, x, y, amount):
    return (id1, id2, x, y, 1.5, 2.5, 3.5, amount)


# Columns 1..3 span x 1000..4000, rows 1..2 span y 7000..5000 (north edge 7000).
year = Year(
    year='2010', factor='1.0',
    nrow=2, ncol=3, delx=1000.0, dely=1000.0, xorigin=1000.0, yorigin=5000.0,
    ibound=[[1, 1, 1],
            [-1, 1, 0]],
    icty=[[1, 1, 1],
          [1, 1, 1]],
    coords=[(2, 3, 4, 5, 3500.0, 5500.0),      # cell (3,2), inactive
            (2, 3, 4, 6, 2500.0, 6500.0)],     # cell (2,1)
    authacres=[(1, 2, 3, 4, 5, 30.0),
               (1, 2, 3, 4, 6, 10.0)],
    pumping=[(1, 101, -500.0, 6500.0, 0.0, 'GW', 50.0, 1.0, 1.0),    # column 0: off the grid
             (1, 102, 1500.0, 6500.0, 0.0, 'GW', 100.0, 10.0, 20.0)],
    mi=[mi(1001, 1, 1500.0, 6500.0, 10.0),       # cell (1,1)
        mi(1002, 1, 1600.0, 6400.0, 5.5),        # cell (1,1) again
        mi(1003, 7, -1000.0, 6500.0, 7.0),       # column -1: off the grid
        mi(1004, 2, 3500.0, 5500.0, 8.0),        # cell (3,2), inactive
        mi(1005, 3, 2500.0, 6500.0, -4.0),       # cell (2,1), negative: skipped silently
        mi(1006, 4, 2500.0, 4500.0, -2.5),       # row 3: off the grid
        mi(1007, 5, 500.0, 5500.0, 3.25),        # half a cell west: column 1, cell (1,2), ibound -1
        mi(1008, 6, 4000.0, 6500.0, 1.0),        # exactly on the east edge: column 4
        mi(1009, 8, 2500.0, 5500.0, 20000.0),    # cell (2,2), too wide for F6.1
        mi(1010, 9, 1000.0, 7000.0, 2.0),        # the north-west corner: cell (1,1)
        Truncated('1011 10 1500.0 6500.0')])     # cut short by the end of the file

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned records of the README, checked against the model.
report = result.files['output2010.dat']
assert report[1] == free(1, 1, 0, ' pumping')
assert report[4] == free(1, 5, 2, 3, 7.5, 15.0, 'I')
assert report[5:] == [free(3, 1, -1, 1003, 7, 7.0, 7.0, ' miloc'),
                      free(4, 3, 2, ' miloc'),
                      free(5, 3, 2, 1006, 4, -2.5, 4.5, ' miloc'),
                      free(6, 1, 4, 1008, 6, 1.0, 5.5, ' miloc')]
assert result.files['2010migrid.dat'] == [free(1500.0, 6500.0, 17.5, 1, 1, 1),
                                          free(1500.0, 5500.0, 3.25, 2, 1, 4),
                                          free(2500.0, 5500.0, 20000.0, 2, 2, 5)]
assert result.files['2010.mi'] == ['  17.5   0.0   0.0', '   3.2******   0.0']
assert result.files['check2010.out'][-2:] == [free('m&i pumping'), free(20020.75)]
assert result.stdout[-2] == free(10, ' m&i recs read')
assert result.stderr == ["Warning: 1 value(s) too wide for F6.1 written as ****** in 'out/2010.mi'"]
assert result.status == 0

write_expected(HERE, result)
