"""Writes expected/ of the dataset inputs_error_missing_county_file (see
README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_start, write_expected  # noqa: E402

write_expected(HERE, Result(
    # the activity grid is read, then opening the county grid fails
    stdout=console_start('2010', '0.5')[:5],   # up to "..reading county flags"
    stderr=['At line 0 of file tessadrov11 (unit = 11)',
            "Error: File 'static/cty.flg' does not exist"],
    status=2))
