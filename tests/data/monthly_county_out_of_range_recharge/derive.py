"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import assert_stopped, run, small_year, write_expected, write_inputs  # noqa: E402

year = small_year(
    icty=[[1, 1],
          [45, 1]],         # county 45 on a cell with return flow but no pumping
    coords=[(3, 3, 3, 3, 750.0, 750.0),    # cell (2,1)
            (3, 3, 3, 4, 250.0, 250.0)],   # cell (1,2), county 45
    authacres=[(8, 3, 3, 3, 3, 30.0),
               (8, 3, 3, 3, 4, 10.0)],
    pumping=[(8, 801, 250.0, 750.0, 0.0, 'GW', 400.0, 80.0, 40.0),  # cell (1,1)
             (8, 802, 750.0, 250.0, 0.0, 'GW', 100.0, 0.0, 0.0)],   # cell (2,2)
    mi=[])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert_stopped(result, ['At line 0 of file tessadrov11',
                        "Error: Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"],
               '..writing pmp, rcg, and agw files')
assert result.files['check2010.out'] == [' 2010.05.pmp', ' 2010.05.rcg']
assert result.files['2010.05.pmp'] == ['  40.0   0.0',
                                       '   0.0  10.0']
assert result.files['2010.05.rcg'] == ['   0.0   6.0']
assert result.files['gwretgrid2010.dat'][1].split()[2] == '20.0000000'   # the return flow of cell (1,2)
assert sorted(result.files) == ['2010.05.pmp', '2010.05.rcg', 'acresgrid2010.dat', 'authacres2010.out',
                                'check2010.out', 'gwretgrid2010.dat', 'output2010.dat', 'pumpgrid2010.dat']

write_expected(HERE, result)
