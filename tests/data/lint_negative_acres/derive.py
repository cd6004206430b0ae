"""Writes args, static/, work/, expected/ and lint.csv of this dataset (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "run"))
from lintyear import write_range_dataset  # noqa: E402
from yearmodel import COUNTY_1_FACTORS, county_factors, small_year  # noqa: E402

# Well 802 has no acres (0 is plausible); well 803's acres are negative.
year = small_year(pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),
                           (8, 802, 750.0, 750.0, 0.0, 'GW', 100.0, 20.0, 0.0),
                           (8, 803, 250.0, 250.0, 0.0, 'GW', 50.0, 10.0, -5.0)])
write_range_dataset(HERE, year, [('negative-acres', 'tessadro2010.txt', 3, {'acres': '-5.0000'})])
