"""Writes the inputs and the expected results of this dataset; see README.

Run it with python3 from anywhere; it rewrites args, static/, work/ and
expected/ beside it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, f32, free, run, write_expected, write_inputs  # noqa: E402

FACTORS = [(0.1, 0.15, 0.2, 0.25, 0.2, 0.1)]      # county 1
FACTORS += [(0.2, 0.2, 0.2, 0.2, 0.1, 0.1)] * 43  # counties 2 to 44

year = Year(
    year='2010', factor='1.0',
    nrow=2, ncol=2, delx=500.0, dely=500.0, xorigin=0.0, yorigin=0.0,
    ibound=[[1, 1],
            [1, 1]],
    icty=[[1, 1],
          [1, 1]],
    factors=FACTORS, pdivs=[],
    coords=[(3, 3, 3, 3, 750.0, 250.0),           # cell (2,2)
            (3, 3, 3, 4, 1250.0, 250.0)],         # column 3: east of the grid
    authacres=[(8, 3, 3, 3, 3, 40.0),
               (8, 3, 3, 3, 4, 20.0),
               (8, 0, 3, 3, 17, 20.0),            # tract 17 (and township 0)
               (8, 3, 3, 3, 3, 20.0)],            # never reached in the second pass
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0)],
    mi=None)

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert result.status == 2
assert result.stderr == ["At line 3 of file tessadrov11 (unit = 20, file = 'authacres2010.txt')",
                         "Error: Index '17' of dimension 4 of array 'xcoord' above upper bound of 16"]
assert result.stdout[10] == free('sum authorized acres by group = ', 100.0)
assert result.files['output2010.dat'][-1] == free(1, 2, 3, ' return flow 1')
rows = result.files['authacres2010.out']
assert len(rows) == 5005 and rows[-1].startswith(free(8, 3, 3, 3, 3, 40.0, f32(0.4)))
assert sorted(result.files) == ['authacres2010.out', 'check2010.out', 'output2010.dat']

write_expected(HERE, result)
