"""Writes expected/ of the dataset inputs_error_county_45 (see README).
Run it from anywhere: python3 derive.py

The year is that of groups_basic_year, whose derive.py is run first: up to
the monthly files everything the run writes is the same there (the county
grid is not used before them)."""
import os
import shutil
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
BASIC = os.path.join(HERE, '..', 'groups_basic_year')
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
sys.path.insert(0, BASIC)
import derive as basic  # noqa: E402
from record_text import record, array_row, f32, write_out, write_expected  # noqa: E402


def main():
    basic.main()
    for name in ('output2010.dat', 'authacres2010.out', 'pumpgrid2010.dat', 'gwretgrid2010.dat',
                 'acresgrid2010.dat'):
        os.makedirs(os.path.join(HERE, 'expected', 'out'), exist_ok=True)
        shutil.copyfile(os.path.join(BASIC, 'expected', 'out', name),
                        os.path.join(HERE, 'expected', 'out', name))
    # May pumping: the name goes to the check report before the file is
    # opened; row 1 (counties 1 1 2 2) is written: 350 x 0.05 at (1,1) and
    # 400 x 0.1 at (3,1). In row 2, (1,2) (county 0 -> 1) is fine, then
    # (4,2) holds 150 of pumping and county 45.
    write_out(HERE, 'check2010.out', [record('2010.05.pmp')])
    write_out(HERE, '2010.05.pmp', array_row([f32(350.0 * f32(0.05)), 0.0, f32(400.0 * f32(0.1)), 0.0]))
    stdout_basic = open(os.path.join(BASIC, 'expected', 'stdout')).read().split('\n')
    stdout = stdout_basic[:stdout_basic.index(record('..writing pmp, rcg, and agw files')) + 1]
    stderr = ['At line 0 of file tessadrov11',
              "Error: Index '45' of dimension 1 of array 'xmonfactors' above upper bound of 44"]
    write_expected(HERE, stdout, stderr, 2)


if __name__ == '__main__':
    main()
