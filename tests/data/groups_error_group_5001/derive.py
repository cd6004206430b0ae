"""Writes expected/ of the dataset groups_error_group_5001 (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import Result, console_until_pumping, free, open_reports, write_expected  # noqa: E402


def expected(group=5001, bound='above upper bound of 5000'):
    """The run that stops at record 3 of the pumping file, of group `group`."""
    r = Result(
        # record 3: the group on the active cell (3,2)
        stdout=console_until_pumping('2010', '0.5', 100.0) + [
            free('Group ', group, ' outside dimension limits.')],
        stderr=["At line 3 of file tessadrov11",
                "Error: Index '%d' of dimension 1 of array 'npd' %s" % (group, bound)],
        status=2)
    # record 2 at (850,5600): column 0, row -2, off the grid, message 1; the
    # check report stays empty and the group report holds only its heading:
    # the group lines come after the loop
    run_report, _ = open_reports(r, '2010')
    run_report.append(free(1, -2, 0, ' pumping'))
    return r


if __name__ == '__main__':
    write_expected(HERE, expected())
