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
    '8 801 250.0 750.0 0.0 GW 1,049.27 80.0 40.0',
    '8 802 750.0 750.0 0.0 GW 100.0 20.0 10.0 Smith 2',
]
# What the reading rules take: the thousands separator splits 1,049.27 into
# 1 (pumping) and 49.27 (return flow); 80.0 becomes the acres and 40.0 is left
# over. Record 2 is read as written; "Smith 2" after its last value is ignored.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 1.0, 49.27, 80.0),
                           (8, 802, 750.0, 750.0, 0.0, 'GW', 100.0, 20.0, 10.0)])
write_dataset(HERE, year, 'tessadro2010.txt', LINES, [('extra', 1)])
