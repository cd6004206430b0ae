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
    '8;3;3;3;3;20,5',
    '8,3,3,3,4,20.0',
]
# What the reading rules take: in record 1 the decimal comma separates 20
# (the acres) from 5, which is left over; record 2 is read as written.
year = small_year(coords=[(3, 3, 3, 3, 750.0, 250.0), (3, 3, 3, 4, 250.0, 250.0)],
                  authacres=[(8, 3, 3, 3, 3, 20.0), (8, 3, 3, 3, 4, 20.0)])
write_dataset(HERE, year, 'authacres2010.txt', LINES, [('extra', 1), ('decimal-comma', 1)])
