"""Writes expected/ of the dataset inputs_error_ibound_bad_field (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    stdout=console_start('2010', '0.5')[:4],   # up to "..reading ibound"
    # row 2 (line 2) holds the field " x" for column 2
    stderr=["At line 2 of file tessadrov11 (unit = 11, file = 'static/02.ibound')",
            'Error: Bad value during integer read'],
    status=2))
