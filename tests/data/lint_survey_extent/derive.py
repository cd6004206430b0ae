"""Writes args, static/, work/, expected/ and lint.csv of this dataset (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "run"))
from lintyear import write_range_dataset  # noqa: E402
from yearmodel import COUNTY_1_FACTORS, county_factors, small_year  # noqa: E402

# The survey's extent: the one tract point (750, 250) widened by 660 ft, x 90
# to 1410 and y -410 to 910. Well 802 at y 950 is outside it though on the
# grid (cell (1,1)); the M&I well at (750, 900) is inside, the one at x -500
# outside (and off the grid).
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),
                           (8, 802, 250.0, 950.0, 0.0, 'GW', 100.0, 20.0, 10.0)],
                  mi=[(1001, 1, 750.0, 900.0, 0.0, 0.0, 0.0, 5.0),
                      (1002, 1, -500.0, 250.0, 0.0, 0.0, 0.0, 3.0)])
write_range_dataset(HERE, year, [('outside-survey', '2010mi.txt', 2, {'x': '-500', 'y': '250'}),
                                 ('outside-survey', 'tessadro2010.txt', 2, {'x': '250', 'y': '950'})])
