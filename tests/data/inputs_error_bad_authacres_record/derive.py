"""Writes expected/ of the dataset inputs_error_bad_authacres_record (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from record_text import record, header_console, write_expected  # noqa: E402


def main():
    stdout = header_console('2010', '0.5', 0.5) + [
        record('..reading authorized acres by group'),
        record('Expected fields: grp,twnshp,range,sect,tract,authacres'),
    ]
    # line 2: the range "1.5" is the third value and not an integer
    stderr = ["At line 2 of file tessadrov11 (unit = 20, file = 'authacres2010.txt')",
              'Error: Bad integer for item 3 in list input']
    write_expected(HERE, stdout, stderr, 2)


if __name__ == '__main__':
    main()
