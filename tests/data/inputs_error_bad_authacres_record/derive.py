"""Writes expected/ of the dataset inputs_error_bad_authacres_record (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import READING_AUTHACRES, Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    stdout=console_start('2010', '0.5') + READING_AUTHACRES,
    # line 2: the range "1.5" is the third value and not an integer
    stderr=["At line 2 of file tessadrov11 (unit = 20, file = 'authacres2010.txt')",
            'Error: Bad integer for item 3 in list input'],
    status=2))
