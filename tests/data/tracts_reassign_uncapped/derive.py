"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, free, run, write_expected, write_inputs  # noqa: E402

# Group 30 has no authorized acres: 100 wells in cell (1,1), then 5 in cell (2,1).
wells = [(30, 3000 + k, 500.0, 500.0, 0.0, 'GW', 1.0, 0.5, 1.0) for k in range(1, 101)]
wells += [(30, 3000 + k, 1500.0, 500.0, 0.0, 'GW', 1.0, 0.25, 2.0) for k in range(101, 106)]

year = Year(
    year='2010', factor='1.0',
    nrow=1, ncol=2, delx=1000.0, dely=1000.0, xorigin=0.0, yorigin=0.0,
    ibound=[[1, 1]], icty=[[1, 1]],
    coords=[],
    authacres=[],
    pumping=wells,
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
report = result.files['output2010.dat']
assert report[100] == free(30, 0.5, 1.0, 50.0, 100.0, 1, 1, 1, 100)
assert report[105] == free(30, 0.25, 2.0, 51.25, 110.0, 1, 2, 2, 105)
assert report[108:110] == [free('reassign unauthorized place of use to pd'),
                           free('idxna', ' grpna(idxna)', ' reassgn')]
assert report[110:] == [free(k, 30, 1.0) for k in range(1, 101)] + [free(k, 30, 2.0) for k in range(101, 106)]
assert result.files['acresgrid2010.dat'] == [free(500.0, 500.0, 100.0, 1, 1, 1),
                                             free(1500.0, 500.0, 10.0, 1, 2, 2)]
assert result.files['gwretgrid2010.dat'] == [free(500.0, 500.0, 50.0, 1, 1, 1),
                                             free(1500.0, 500.0, 1.25, 1, 2, 2)]
assert result.files['2010.agw'] == [' 100.0  10.0']
assert result.status == 0 and result.stderr == []

write_expected(HERE, result)
