"""Writes the pumping file work/tessadro2010.txt and expected/ of the dataset
groups_unauthorized_103 (see README). Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside tests/
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from yearmodel import (REASSIGN_HEADING, RUN_REPORT_HEADING, SUMS_HEADING, Grid,  # noqa: E402
                       Result, console_until_tracts, end_of_year, f32, free, group_report,
                       write_expected, write_lines)

# Grid, counties and factors of groups_basic_year.
GRID = Grid(nrow=3, ncol=4, delx=100.0, dely=100.0, xorigin=1000.0, yorigin=5000.0,
            ibound=[[1, 1, 1, 1], [1, 0, 1, 1], [1, 1, -1, 1]])
COUNTY = [[1, 1, 2, 2], [0, 1, 2, 2], [3, 3, 3, 2]]
FACTORS = {1: (0.05, 0.12, 0.2, 0.25, 0.18, 0.1),
           2: (0.1, 0.15, 0.25, 0.25, 0.15, 0.1),
           3: (0.2, 0.2, 0.2, 0.2, 0.1, 0.1)}
# The eleven active cells (column, row) in row order; (2,2) is inactive.
CELLS = [(1, 1), (2, 1), (3, 1), (4, 1), (1, 2), (3, 2), (4, 2), (1, 3), (2, 3), (3, 3), (4, 3)]


# Pumping record k = 1..103 of a group without authorized acres: in cell
# CELLS[(k-1) mod 11], pumping 4k, return flow 2k, 5 acres (600 for k = 103).
# Records 1 and 12 (both in cell (1,1)) belong to group 2, whose authtot
# 5e-7 is below 1e-6; all others to group 4, which has no record at all in
# the authorized-acres file.
def unauthorized(k):
    col, row = CELLS[(k - 1) % 11]
    group = 2 if k in (1, 12) else 4
    return group, 1000 + k, col, row, 4.0 * k, 2.0 * k, 600.0 if k == 103 else 5.0


RECORDS = [unauthorized(k) for k in range(1, 104)]


def write_pumping_file():
    lines = ['3 301 1250.0 5150.0 0.0 AA 50.0 10.0 20.0']   # group 3, cell (3,2)
    for group, pdid, col, row, pump, gw, ac in RECORDS:
        x, y = GRID.centre(col, row)
        lines.append('%d %d %.1f %.1f 0.0 NA %.1f %.1f %.1f' % (group, pdid, x, y, pump, gw, ac))
    write_lines(os.path.join(HERE, 'work', 'tessadro2010.txt'), lines)


def expected():
    # authtot(2) = 5e-7 (4-byte), below the 4-byte 1e-6: no authorized acres.
    # authtot(3) = the 4-byte 1e-6 itself: not below, so group 3 is authorized.
    auth2, auth3 = f32(5e-7), f32(1e-6)
    sumauth = f32(auth2 + auth3)

    pump, gwret, acres = {(3, 2): 50.0}, {}, {}
    run_report = [RUN_REPORT_HEADING]
    gwna = acna = 0.0
    for numna, (group, pdid, col, row, p, gw, ac) in enumerate(RECORDS, start=1):
        pump[(col, row)] = f32(pump.get((col, row), 0.0) + p)
        gwna, acna = f32(gwna + gw), f32(acna + ac)
        node = (row - 1) * GRID.ncol + col
        run_report.append(free(group, gw, ac, gwna, acna, row, col, node, numna))
    sumgwret = f32(10.0 + gwna)          # group 3's 10, then the 2k (all exact)
    sumacres = f32(20.0 + acna)
    sums = (sumgwret, sumacres, 0.0, gwna, acna)
    run_report += [SUMS_HEADING, free(*sums)]

    # Group lines: group 2 has its two points in (1050,5250); group 4 the
    # other 101, its mean x and y are the 4-byte sums divided by 101.
    g4 = [r for r in RECORDS if r[0] == 4]
    xsum = ysum = 0.0
    for _, _, c, r, _, _, _ in g4:
        x, y = GRID.centre(c, r)
        xsum, ysum = f32(xsum + x), f32(ysum + y)
    groups = {
        2: (2, 1050.0, 5250.0, 4.0 + 48.0, 2.0 + 24.0, 10.0, auth2),
        3: (1, 1250.0, 5150.0, 50.0, 10.0, 20.0, auth3),
        4: (101, f32(xsum / 101), f32(ysum / 101), sum(r[4] for r in g4), sum(r[5] for r in g4),
            sum(r[6] for r in g4), 0.0),
    }
    # sum over acresloc in group order: 10 + 20 + 1100
    sum_acresloc = f32(f32(10.0 + 20.0) + groups[4][5])

    # Tract table: group 2's tract gets fct 0.0 (authtot below 1e-6), adds 0
    # to (1,1), 30 x 40 ft from its wells -> 50 ft; group 3's tract fct 1.0
    # into (4,3) (1310,5070), 60 x 80 ft from its well -> 100 ft.
    acres[(1, 1)] = 0.0
    gwret[(1, 1)] = 0.0
    acres[(4, 3)] = 20.0
    gwret[(4, 3)] = 10.0
    tract_rows = [
        free(2, 1, 1, 1, 1, auth2, 0.0, 1080.0, 5210.0, 1, 1, 1, 0.0, 1, 2, 1050.0, 5250.0,
             f32(50 / 5280), 0.0, 0.0, 10.0, 1),
        free(3, 1, 1, 1, 2, auth3, 1.0, 1310.0, 5070.0, 3, 4, 2 * 326 + 4, 1.0, 1, 1, 1250.0,
             5150.0, f32(100 / 5280), 0.0, 20.0, 20.0, 1),
    ]

    # Reassignment of all 103 entries in list order, 640 acres at most a cell.
    run_report += REASSIGN_HEADING
    for idx, (group, pdid, col, row, p, gw, ac) in enumerate(RECORDS, start=1):
        held = acres.get((col, row), 0.0)
        reassgn = 0.0
        if held < 640.0:
            reassgn = min(f32(640.0 - held), ac)
            acres[(col, row)] = f32(held + reassgn)
            gwret[(col, row)] = f32(gwret.get((col, row), 0.0) + gw)
        run_report.append(free(idx, group, reassgn))
    # entry 103 is the tenth in cell (4,1): 9 x 5 = 45 acres before it,
    # so it gets 640 - 45 = 595 of its 600
    assert acres[(4, 1)] == 640.0 and run_report[-1] == free(103, 4, 595.0)

    r = Result()
    r.files['output2010.dat'] = run_report
    r.files['authacres2010.out'] = group_report(groups, tract_rows)
    r.stdout = console_until_tracts('2010', '0.7187758', sumauth, sums, sum_acresloc)
    # plot files, monthly arrays and check report from the grids; no M&I records
    end_of_year(r, GRID, '2010', pump, gwret, acres, COUNTY, FACTORS)
    return r


write_pumping_file()
write_expected(HERE, expected())
