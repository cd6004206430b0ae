"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import assert_stopped, run, small_year, write_expected, write_inputs  # noqa: E402

year = small_year(
    coords=[(3, 3, 3, 3, 750.0, 250.0),
            (5, 0, 37, 3, 100.0, 100.0),          # range 0 and section 37
            (3, 3, 3, 4, 250.0, 250.0)])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert_stopped(result, ["At line 2 of file tessadrov11",
                        "Error: Index '37' of dimension 3 of array 'xcoord' above upper bound of 36"],
               '..reading coordinates of 40-acre tracts')
assert sorted(result.files) == ['authacres2010.out', 'check2010.out', 'output2010.dat']
assert len(result.files['authacres2010.out']) == 5001 and result.files['check2010.out'] == []

write_expected(HERE, result)
