"""Writes expected/ of the dataset inputs_error_queltapdivs_501 (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    stdout=console_start('2010', '0.5'),
    # The count (line 1) and identifiers 1 to 500 (lines 2 to 501) are read;
    # storing identifier 501 is outside the table of 500.
    stderr=["At line 501 of file tessadrov11",
            "Error: Index '501' of dimension 1 of array 'queltapdivs' above upper bound of 500"],
    status=2))
