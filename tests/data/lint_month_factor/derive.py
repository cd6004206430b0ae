"""Writes args, static/, work/, expected/ and lint.csv of this dataset (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "run"))
from lintyear import write_range_dataset  # noqa: E402
from yearmodel import COUNTY_1_FACTORS, county_factors, small_year  # noqa: E402

# County 2: a negative May factor (the six still add up to 1); county 3: all
# of the season in July, factors 0 and 1, which are plausible.
year = small_year(factors=county_factors(COUNTY_1_FACTORS, (-0.1, 0.3, 0.3, 0.3, 0.1, 0.1),
                                         (0.0, 0.0, 1.0, 0.0, 0.0, 0.0)))
write_range_dataset(HERE, year, [('month-factor', 'monthlyfactorsbycounty.txt', 2, {})])
