"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, free, run, write_expected, write_inputs  # noqa: E402

# Cells: A (1,1), B (2,1), C (3,1) in row 1; D (1,2), E (2,2), F (3,2) in row 2.
year = Year(
    year='2010', factor='1.0',
    nrow=2, ncol=3, delx=1000.0, dely=1000.0, xorigin=0.0, yorigin=0.0,
    ibound=[[1, 1, 1],
            [1, 1, 0]],
    icty=[[1, 1, 1],
          [1, 1, 1]],
    coords=[(1, 1, 1, 1, 500.0, 1500.0),          # A
            (1, 1, 1, 2, 1500.0, 1500.0),         # B
            (1, 1, 1, 3, 2500.0, 1500.0),         # C
            (1, 1, 1, 4, 500.0, 500.0)],          # D
    authacres=[(11, 1, 1, 1, 1, 160.0),
               (12, 1, 1, 1, 2, 160.0),
               (13, 1, 1, 1, 3, 160.0),
               (14, 1, 1, 1, 4, 160.0)],
    pumping=[(11, 1101, 500.0, 1500.0, 0.0, 'GW', 1000.0, 100.0, 600.0),   # A
             (12, 1201, 1500.0, 1500.0, 0.0, 'GW', 1000.0, 100.0, 600.0),  # B
             (13, 1301, 2500.0, 1500.0, 0.0, 'GW', 1000.0, 100.0, 640.0),  # C
             (14, 1401, 500.0, 500.0, 0.0, 'GW', 1000.0, 100.0, 630.0),    # D
             (20, 2001, 400.0, 1600.0, 0.0, 'GW', 10.0, 50.0, 100.0),      # A, no authorized acres
             (20, 2002, 1600.0, 1400.0, 0.0, 'GW', 10.0, 7.0, 25.0),       # B
             (20, 2003, 2400.0, 1600.0, 0.0, 'GW', 10.0, 9.0, 30.0),       # C
             (21, 2101, 400.0, 400.0, 0.0, 'GW', 5.0, 3.0, 10.0),          # D
             (21, 2102, 600.0, 600.0, 0.0, 'GW', 5.0, 4.0, 10.0),          # D
             (21, 2103, 1500.0, 500.0, 0.0, 'GW', 5.0, 2.0, -5.0)],        # E
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned numbers of the README, checked against the model.
report = result.files['output2010.dat']
assert report[-8:] == [free('reassign unauthorized place of use to pd'),
                       free('idxna', ' grpna(idxna)', ' reassgn'),
                       free(1, 20, 40.0), free(2, 20, 25.0), free(3, 20, 0.0),
                       free(4, 21, 10.0), free(5, 21, 0.0), free(6, 21, -5.0)]
assert all(len(line) == 41 for line in report[-6:])
assert [line.split()[2] for line in result.files['acresgrid2010.dat']] == \
    ['640.000000', '625.000000', '640.000000', '640.000000']
assert [line.split()[2] for line in result.files['gwretgrid2010.dat']] == \
    ['150.000000', '107.000000', '100.000000', '103.000000', '2.00000000']
assert result.files['2010.agw'] == [' 640.0 625.0 640.0', ' 640.0  -5.0   0.0']
assert result.files['check2010.out'][-3] == free(2540.0)
assert result.status == 0 and result.stderr == []

write_expected(HERE, result)
