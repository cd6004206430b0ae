"""Writes args, static/, work/, expected/ and lint.csv of this dataset (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "run"))
from lintyear import write_range_dataset  # noqa: E402
from yearmodel import COUNTY_1_FACTORS, county_factors, small_year  # noqa: E402

# County 2's factors add up to 1.0005, within 0.001 of 1; county 3's to 1.002.
year = small_year(factors=county_factors(COUNTY_1_FACTORS, (0.2, 0.2, 0.2, 0.2, 0.1, 0.1005),
                                         (0.2, 0.2, 0.2, 0.2, 0.1, 0.102)))
write_range_dataset(HERE, year, [('county-sum', 'monthlyfactorsbycounty.txt', 3, {})])
