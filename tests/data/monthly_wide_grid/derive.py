"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (COUNTY_1_FACTORS, Year, county_factors, free, run, write_expected,  # noqa: E402
                       write_inputs)

NCOL = 330
ibound = [1] * NCOL
ibound[2 - 1] = -1          # active all the same
ibound[5 - 1] = 0
icty = [1] * NCOL
icty[1 - 1] = 0             # county 0 takes county 1's factors
icty[3 - 1] = 2
icty[328 - 1] = 2
icty[329 - 1] = 0


def centre(col):
    """A point in the middle of a cell of the only row."""
    return (col - 0.5) * 1000.0, 500.0


def well(grp, pdid, col, pump, gw, ac):
    x, y = centre(col)
    return (grp, pdid, x, y, 0.0, 'GW', pump, gw, ac)


def tract(grp, sect, col, authacres):
    return (grp, 7, 20, sect, 1, authacres)


def coord(sect, col):
    return (7, 20, sect, 1) + centre(col)


year = Year(
    year='2010', factor='1.0',
    nrow=1, ncol=NCOL, delx=1000.0, dely=1000.0, xorigin=0.0, yorigin=0.0,
    ibound=[ibound], icty=[icty],
    factors=county_factors(COUNTY_1_FACTORS, (0.05, 0.1, 0.3, 0.3, 0.2, 0.05)),   # counties 1, 2
    coords=[coord(1, 4), coord(2, 329), coord(6, 328), coord(7, 326), coord(8, 325)],
    authacres=[tract(1, 1, 4, 80.0), tract(2, 2, 329, 80.0), tract(6, 6, 328, 40.0),
               tract(7, 7, 326, 640.0), tract(8, 8, 325, 40.0)],
    pumping=[well(1, 101, 1, 45000.0, 100.0, 50.0),
             well(2, 201, 330, 44000.0, 200.0, 60.0),
             well(7, 701, 3, 1000.0, 0.0, 0.0),
             well(7, 702, 327, 500.0, 0.0, 0.0),
             well(7, 703, 2, 300.0, 0.0, 0.0),
             well(6, 601, 328, 20.0, -40.0, 30.0),
             well(7, 704, 326, 0.0, 0.0, 12000.0),
             well(8, 801, 325, 0.0, 0.0, -2000.0)],
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned numbers of the README, checked against the model.
aug = result.files['2010.08.pmp']
assert len(aug) == 2 and len(aug[0]) == 326 * 6 and len(aug[1]) == 4 * 6
assert aug[0][:18] == '******  75.0 300.0' and aug[1] == ' 125.0   6.0   0.0******'
may = result.files['2010.05.pmp']
assert may[0][:18] == '4500.0  30.0  50.0' and may[1] == '  50.0   1.0   0.04400.0'
rcg = result.files['2010.07.rcg']
assert rcg[0][18:24] == '  20.0' and rcg[1] == '   0.0   0.0  40.0   0.0'
agw = result.files['2010.agw']
assert agw[0][18:24] == '  50.0' and agw[0][-12:] == '************' and agw[1] == '   0.0  30.0  60.0   0.0'
assert result.stderr == [
    "Warning: 2 value(s) too wide for F6.1 written as ****** in 'out/2010.08.pmp'",
    "Warning: 2 value(s) too wide for F6.1 written as ****** in 'out/2010.agw'"]
assert result.files['check2010.out'][5 * 3 + 2] == free(10, 9031.0, 30.0)
assert result.files['check2010.out'][-3] == free(10140.0)
assert result.files['pumpgrid2010.dat'][-1] == free(329500.0, 500.0, 44000.0, 1, 330, 330)
assert result.status == 0

write_expected(HERE, result)
