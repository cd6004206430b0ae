"""Writes expected/ of the dataset inputs_error_authacres_group_0 (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import READING_AUTHACRES, Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    stdout=console_start('2010', '0.5') + READING_AUTHACRES,
    # group 0 is on line 4 (line 3 is blank): below the first group of authtot
    stderr=["At line 4 of file tessadrov11",
            "Error: Index '0' of dimension 1 of array 'authtot' below lower bound of 1"],
    status=2))
