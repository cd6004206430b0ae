"""Writes args, static/, work/ and expected/ of this dataset from the inputs
below (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import free, run, small_year, write_expected, write_inputs  # noqa: E402

year = small_year(year='2011', mi=None)                  # no 2011mi.txt

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
