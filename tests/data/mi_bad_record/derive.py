"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (Malformed, assert_stopped, free, run, small_year,  # noqa: E402
                       write_expected, write_inputs)

year = small_year(
    mi=[(1001, 1, 250.0, 250.0, 0.0, 0.0, 0.0, 12.5),          # cell (1,2)
        (1002, 1, -900.0, 250.0, 0.0, 0.0, 0.0, 3.0),          # column 0: off the grid
        Malformed('1003 1 750.0 750.0 0.0 0.0 0.0 n/a', 8, 'real'),
        (1004, 1, 750.0, 750.0, 0.0, 0.0, 0.0, 7.0)])

write_inputs(HERE, year)
result = run(year)

# The hand-reasoned results of the README, checked against the model.
assert_stopped(result, ["At line 3 of file tessadrov11 (unit = 13, file = '2010mi.txt')",
                        'Error: Bad real number in item 8 of list input'],
               '..reading m&i file')
assert result.files['output2010.dat'][-1] == free(1, 2, 0, 1002, 1, 3.0, 3.0, ' miloc')
assert result.files['check2010.out'][-2:] == [' gw acres', free(40.0)]
assert '2010.mi' not in result.files and '2010migrid.dat' not in result.files
assert len(result.files) == 19

write_expected(HERE, result)
