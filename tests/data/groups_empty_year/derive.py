"""Writes expected/ of the dataset groups_empty_year (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (RUN_REPORT_HEADING, SUMS_HEADING, Grid, Result,  # noqa: E402
                       console_until_tracts, end_of_year, free, group_report, missing_file_warning,
                       write_expected)

# The grid, counties and factors of groups_basic_year; no value is above 0,
# so only the shape of the grid matters.
GRID = Grid(nrow=3, ncol=4, delx=100.0, dely=100.0, xorigin=1000.0, yorigin=5000.0,
            ibound=[[1, 1, 1, 1], [1, 0, 1, 1], [1, 1, -1, 1]])
COUNTY = [[1, 1, 2, 2], [0, 1, 2, 2], [3, 3, 3, 2]]
ZEROS = (0.0,) * 5


def expected():
    r = Result()
    # the run report holds its header and the zero sums: no record was read,
    # no tract was listed and numna is 0, so no reassignment heading either
    r.files['output2011.dat'] = [RUN_REPORT_HEADING, SUMS_HEADING, free(*ZEROS)]
    # 5000 zero lines and the head of an empty tract table
    r.files['authacres2011.out'] = group_report({}, [])
    # every sum is 0.0; no group number above 5000 was met, so no WARNING
    r.stdout = console_until_tracts('2011', '7', 0.0, ZEROS, 0.0)
    r.stderr = [missing_file_warning('authacres2011.txt')]
    # no pumping and no return flow anywhere: empty plot files, every array
    # cell 0.0, every sum in the check report 0.0
    end_of_year(r, GRID, '2011', {}, {}, {}, COUNTY, {})
    return r


if __name__ == '__main__':
    write_expected(HERE, expected())
