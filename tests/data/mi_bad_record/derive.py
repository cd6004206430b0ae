"""Writes the inputs and the expected results of this dataset; see README.

Run it with python3 from anywhere; it rewrites args, static/, work/ and
expected/ beside it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Malformed, Year, free, run, write_expected, write_inputs  # noqa: E402

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
    coords=[(3, 3, 3, 3, 750.0, 250.0)],                       # cell (2,2)
    authacres=[(8, 3, 3, 3, 3, 40.0)],
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0)],
    mi=[(1001, 1, 250.0, 250.0, 0.0, 0.0, 0.0, 12.5),          # cell (1,2)
        (1002, 1, -900.0, 250.0, 0.0, 0.0, 0.0, 3.0),          # column 0: off the grid
        Malformed('1003 1 750.0 750.0 0.0 0.0 0.0 n/a', 8, 'real'),
        (1004, 1, 750.0, 750.0, 0.0, 0.0, 0.0, 7.0)])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert result.status == 2
assert result.stderr == ["At line 3 of file tessadrov11 (unit = 13, file = '2010mi.txt')",
                         'Error: Bad real number in item 8 of list input']
assert result.stdout[-1] == ' ..reading m&i file'
assert result.files['output2010.dat'][-1] == free(1, 2, 0, 1002, 1, 3.0, 3.0, ' miloc')
assert result.files['check2010.out'][-2:] == [' gw acres', free(40.0)]
assert '2010.mi' not in result.files and '2010migrid.dat' not in result.files
assert len(result.files) == 19

write_expected(HERE, result)
