"""Writes expected/ of the dataset inputs_error_county_45 (see README).
Run it from anywhere: python3 derive.py

The year is that of groups_basic_year, whose derive.py states it: up to the
monthly files everything the run writes is the same there (the county grid is
not used before them)."""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import f32, f61_records, free, load_dataset, write_expected  # noqa: E402

# Cell (4,2) has county 45 ("245" in row 2 is the fields " 2" and "45").
result = load_dataset('groups_basic_year').expected(county=[[1, 1, 2, 2],
                                                            [0, 1, 2, 45],
                                                            [3, 3, 3, 2]])
# May pumping: the name goes to the check report before the file is
# opened; row 1 (counties 1 1 2 2) is written: 350 x 0.05 at (1,1) and
# 400 x 0.1 at (3,1). In row 2, (1,2) (county 0 -> 1) is fine, then
# (4,2) holds 150 of pumping and county 45.
assert result.files['check2010.out'] == [free('2010.05.pmp')]
assert result.files['2010.05.pmp'] == f61_records([f32(350.0 * f32(0.05)), 0.0, f32(400.0 * f32(0.1)), 0.0])
assert result.stdout[-1] == free('..writing pmp, rcg, and agw files')
assert result.stderr == ['At line 0 of file tessadrov11',
                         "Error: Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"]
assert result.status == 2 and len(result.files) == 7
write_expected(HERE, result)
