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
    '8 801 250.0 750.0 0.0 GW 400.0 80.0',
    '8 802 750.0 750.0 0.0 GW 100.0 20.0 10.0',
    '8 803 250.0 250.0 0.0 GW 50.0 10.0 5.0',
]
# What the reading rules take: record 1 lacks its acres and takes them from
# the first value of line 2 (8); the rest of line 2 is ignored, so well 802
# is never read. Line 3 is read as written.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 8.0),
                           (8, 803, 250.0, 250.0, 0.0, 'GW', 50.0, 10.0, 5.0)])
write_dataset(HERE, year, 'tessadro2010.txt', LINES, [('continued', 1)])
