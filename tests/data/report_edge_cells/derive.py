"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Year, run, write_expected, write_inputs  # noqa: E402

# Columns 1..3 span x 10000..13000, rows 1..2 span y 22000..20000 (north edge
# 22000). Cells: A (1,1), B (2,1), C (3,1); D (1,2), E (2,2), F (3,2).
year = Year(
    year='2010', factor='1.0',
    nrow=2, ncol=3, delx=1000.0, dely=1000.0, xorigin=10000.0, yorigin=20000.0,
    ibound=[[1, 1, 1],
            [1, 1, 1]],
    icty=[[1, 1, 1],
          [1, 1, 1]],
    coords=[(1, 1, 1, 1, 10500.0, 21500.0),       # A
            (1, 1, 1, 2, 9900.0, 21200.0),        # 100 ft west: A
            (1, 1, 1, 3, 9000.0, 19000.0),        # not used: they widen the survey's extent
            (1, 1, 1, 4, 14000.0, 23000.0)],
    authacres=[(11, 1, 1, 1, 1, 40.0),
               (11, 1, 1, 1, 2, 40.0)],
    pumping=[(11, 1101, 9750.0, 20500.0, 0.0, 'GW', 30.0, 6.0, 20.0),   # 250 ft west: D
             (11, 1102, 11500.0, 22400.0, 0.0, 'GW', 12.5, 2.0, 8.0),   # 400 ft north: B
             (11, 1103, 13100.0, 21500.0, 0.0, 'GW', 7.0, 1.0, 2.0),    # 100 ft east: off the grid
             (20, 2001, 9700.0, 22400.0, 0.0, 'GW', 4.0, 1.0, 5.0)],    # 300 west, 400 north: A
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned cells of the README, checked against the model.
plot = {name: [line.split() for line in result.files[name]]
        for name in ('pumpgrid2010.dat', 'gwretgrid2010.dat', 'acresgrid2010.dat')}
assert [(r[3], r[4], r[2]) for r in plot['pumpgrid2010.dat']] == \
    [('1', '1', '4.00000000'), ('1', '2', '12.5000000'), ('2', '1', '30.0000000')]
assert [(r[3], r[4], r[2]) for r in plot['gwretgrid2010.dat']] == [('1', '1', '9.00000000')]
assert [(r[3], r[4], r[2]) for r in plot['acresgrid2010.dat']] == [('1', '1', '33.0000000')]
assert result.status == 0 and result.stderr == []

write_expected(HERE, result)
