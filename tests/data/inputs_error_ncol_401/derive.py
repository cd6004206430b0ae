"""Writes expected/ of the dataset inputs_error_ncol_401 (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    # Row 1 takes 326 cells from line 1 and cells 327 to 400 from line 2;
    # cell 401 is beyond the table.
    stdout=console_start('2010', '0.5')[:4],   # up to "..reading ibound"
    stderr=["At line 2 of file tessadrov11",
            "Error: Index '401' of dimension 1 of array 'ibound' above upper bound of 400"],
    status=2))
