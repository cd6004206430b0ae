"""Writes the inputs and the expected results of this dataset; see README.

Run it with python3 from anywhere; it rewrites args, static/, work/ and
expected/ beside it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, run, write_expected, write_inputs  # noqa: E402

FACTORS = [(0.1, 0.15, 0.2, 0.25, 0.2, 0.1)]      # county 1
FACTORS += [(0.2, 0.2, 0.2, 0.2, 0.1, 0.1)] * 43  # counties 2 to 44

year = Year(
    year='2010', factor='1.0',
    nrow=2, ncol=2, delx=500.0, dely=500.0, xorigin=0.0, yorigin=0.0,
    ibound=[[1, 1],
            [1, 1]],
    icty=[[1, -1],          # county -1 on a cell without pumping: never looked up
          [45, 1]],         # county 45 on a cell with pumping
    factors=FACTORS, pdivs=[],
    coords=[(3, 3, 3, 3, 750.0, 250.0)],                            # cell (2,2)
    authacres=[(8, 3, 3, 3, 3, 40.0)],
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),  # cell (1,1)
             (8, 802, 250.0, 250.0, 0.0, 'GW', 100.0, 0.0, 0.0)],   # cell (1,2)
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert result.status == 2
assert result.stderr == ['At line 0 of file tessadrov11',
                         "Error: Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"]
assert result.stdout[-1] == ' ..writing pmp, rcg, and agw files'
assert result.files['check2010.out'] == [' 2010.05.pmp']
assert result.files['2010.05.pmp'] == ['  40.0   0.0']
assert sorted(result.files) == ['2010.05.pmp', 'acresgrid2010.dat', 'authacres2010.out', 'check2010.out',
                                'gwretgrid2010.dat', 'output2010.dat', 'pumpgrid2010.dat']

write_expected(HERE, result)
