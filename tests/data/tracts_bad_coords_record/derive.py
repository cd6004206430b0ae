"""Writes the inputs and the expected results of this dataset; see README.

Run it with python3 from anywhere; it rewrites args, static/, work/ and
expected/ beside it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Malformed, Year, run, write_expected, write_inputs  # noqa: E402

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
    coords=[(3, 3, 3, 3, 750.0, 250.0),
            Malformed('3 3 3 4 75O.0 250.0', 5, 'real'),     # a letter O in the x coordinate
            (3, 3, 3, 5, 250.0, 250.0)],
    authacres=[(8, 3, 3, 3, 3, 40.0)],
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0)],
    mi=None)

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert result.status == 2
assert result.stderr == ["At line 2 of file tessadrov11 (unit = 21, file = 'static/40coords.dat')",
                         'Error: Bad real number in item 5 of list input']
assert result.stdout[-1] == ' ..reading coordinates of 40-acre tracts'
assert sorted(result.files) == ['authacres2010.out', 'check2010.out', 'output2010.dat']
assert len(result.files['authacres2010.out']) == 5001 and result.files['check2010.out'] == []

write_expected(HERE, result)
