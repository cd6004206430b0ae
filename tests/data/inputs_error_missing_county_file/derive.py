"""Writes expected/ of the dataset inputs_error_missing_county_file (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from record_text import header_console, write_expected  # noqa: E402


def main():
    # the activity grid is read, then opening the county grid fails
    stdout = header_console('2010', '0.5', 0.5)[:5]
    stderr = ['At line 0 of file tessadrov11 (unit = 11)',
              "Error: File 'static/cty.flg' does not exist"]
    write_expected(HERE, stdout, stderr, 2)


if __name__ == '__main__':
    main()
