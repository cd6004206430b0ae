"""Writes the inputs and the expected results of this dataset; see README.

Run it with python3 from anywhere; it rewrites args, static/, work/ and
expected/ beside it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, free, run, write_expected, write_inputs  # noqa: E402

FACTORS = [(0.1, 0.15, 0.2, 0.25, 0.2, 0.1)]      # county 1
FACTORS += [(0.2, 0.2, 0.2, 0.2, 0.1, 0.1)] * 43  # counties 2 to 44

year = Year(
    year='2011', factor='1.0',
    nrow=2, ncol=2, delx=500.0, dely=500.0, xorigin=0.0, yorigin=0.0,
    ibound=[[1, 1],
            [1, 1]],
    icty=[[1, 1],
          [1, 1]],
    factors=FACTORS, pdivs=[],
    coords=[(3, 3, 3, 3, 750.0, 250.0)],                 # cell (2,2)
    authacres=[(8, 3, 3, 3, 3, 40.0)],
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0)],   # cell (1,1)
    mi=None)                                             # no 2011mi.txt

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned records of the README, checked against the model.
assert result.stderr == ["Warning: file '2011mi.txt' does not exist; read as an empty file"]
assert result.stdout[-3:] == [free('..reading m&i file'), '           0  m&i recs read',
                              free('..write mi plot file')]
assert result.files['2011migrid.dat'] == []
assert result.files['2011.mi'] == ['   0.0   0.0', '   0.0   0.0']
assert result.files['check2011.out'][-2:] == [' m&i pumping', '   0.00000000    ']
assert result.files['output2011.dat'][-1] == free(80.0, 40.0, 0.0, 0.0, 0.0)
assert result.status == 0

write_expected(HERE, result)
