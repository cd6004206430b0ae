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
    '8 801 250.0 750.0 0.0 GW 400.0 80.0 40.0 Smith farm',
    '8,802,750.0,750.0,0.0,GW,100.0,,10.0',
]
# What the reading rules take: record 2's empty return-flow cell is a null
# value, so its return flow stays 80.0, record 1's.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),
                           (8, 802, 750.0, 750.0, 0.0, 'GW', 100.0, 80.0, 10.0)])
write_dataset(HERE, year, 'tessadro2010.txt', LINES, [('null', 2)])
