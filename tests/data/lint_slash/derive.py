"""Writes args, static/, work/, expected/ and lint.csv of this dataset (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "run"))
from lintyear import write_dataset  # noqa: E402
from yearmodel import small_year  # noqa: E402

LINES = [
    '8 801 250.0 750.0 0.0 GW 400.0 80.0 40.0 Smith/Jones',
    '8 802 750.0 750.0 0.0 N/E 100.0 20.0 10.0',
]
# What the reading rules take: record 1 is read as written (the slash comes
# after its last value). In record 2 the slash of "N/E" ends the read after
# the text "N": pumping, return flow and acres keep record 1's 400, 80, 40.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),
                           (8, 802, 750.0, 750.0, 0.0, 'N', 400.0, 80.0, 40.0)])
write_dataset(HERE, year, 'tessadro2010.txt', LINES, [('slash', 2)])
