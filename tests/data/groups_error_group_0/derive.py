"""Writes expected/ of the dataset groups_error_group_0 (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from record_text import (record, group_report, RUN_REPORT_HEADING, header_console,  # noqa: E402
                         write_out, write_expected)


def main():
    stdout = header_console('2010', '0.5', 0.5) + [
        record('..reading authorized acres by group'),
        record('Expected fields: grp,twnshp,range,sect,tract,authacres'),
        record('sum authorized acres by group = ', 100.0),
        record('..reading pumping file'),
        # record 3: group 0 on the active cell (3,2)
        record('Group ', 0, ' outside dimension limits.'),
    ]
    stderr = ["At line 3 of file tessadrov11 (unit = 13, file = 'tessadro2010.txt')",
              "Error: Index '0' of dimension 1 of array 'npd' below lower bound of 1"]
    write_expected(HERE, stdout, stderr, 2)
    # record 2 at (850,5600): column 0, row -2, off the grid, message 1
    write_out(HERE, 'output2010.dat', [RUN_REPORT_HEADING, record(1, -2, 0, ' pumping')])
    write_out(HERE, 'check2010.out', [])
    # the group report holds only its heading: the group lines come after the loop
    write_out(HERE, 'authacres2010.out', group_report({})[:1])


if __name__ == '__main__':
    main()
