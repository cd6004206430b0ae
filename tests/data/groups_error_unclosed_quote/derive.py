"""Writes expected/ of the dataset groups_error_unclosed_quote (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_until_pumping, free, open_reports, write_expected  # noqa: E402

# line 4 of the file (line 2 is blank): the sixth value opens a quote that the
# record never closes
r = Result(stdout=console_until_pumping('2010', '0.5', 100.0),
           stderr=["At line 4 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')",
                   'Error: Quoted text not closed in item 6 of list input'],
           status=2)
# line 3 at (850,5600): column 0, row -2, off the grid, message 1; the check
# report stays empty, the group report holds its heading only
run_report, _ = open_reports(r, '2010')
run_report.append(free(1, -2, 0, ' pumping'))
write_expected(HERE, r)
