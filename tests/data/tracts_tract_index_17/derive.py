"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import f32, free, run, small_year, write_expected, write_inputs  # noqa: E402

year = small_year(
    coords=[(3, 3, 3, 3, 750.0, 250.0),           # cell (2,2)
            (3, 3, 3, 4, 1250.0, 250.0)],         # column 3: east of the grid
    authacres=[(8, 3, 3, 3, 3, 40.0),
               (8, 3, 3, 3, 4, 20.0),
               (8, 0, 3, 3, 17, 20.0),            # tract 17 (and township 0)
               (8, 3, 3, 3, 3, 20.0)])            # never reached in the second pass

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert result.status == 2
assert result.stderr == ["At line 3 of file tessadrov11",
                         "Error: Index '17' of dimension 4 of array 'xcoord' above upper bound of 16"]
assert result.stdout[10] == free('sum authorized acres by group = ', 100.0)
assert result.files['output2010.dat'][-1] == free(1, 2, 3, ' return flow 1')
rows = result.files['authacres2010.out']
assert len(rows) == 5005 and rows[-1].startswith(free(8, 3, 3, 3, 3, 40.0, f32(0.4)))
assert sorted(result.files) == ['authacres2010.out', 'check2010.out', 'output2010.dat']

write_expected(HERE, result)
