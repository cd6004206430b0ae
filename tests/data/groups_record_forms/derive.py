"""Writes expected/ of the dataset groups_record_forms (see README).
Run it from anywhere: python3 derive.py"""
import os
import sys

sys.dont_write_bytecode = True   # no cache folders inside the datasets

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'run'))
from record_text import (f32, record, array_row, group_report, RUN_REPORT_HEADING,  # noqa: E402
                         SUMS_HEADING, header_console, write_out, write_expected, plot_records)

NROW, NCOL = 3, 4
GEOMETRY = dict(nrow=NROW, ncol=NCOL, delx=100.0, dely=100.0, xorigin=1000.0, yorigin=5000.0)
# Active cells: all of row 1 and column 1 of row 2 (the short record " 1");
# row 3 is a blank record. Every county is 1 or 0 (taken as 1).
ACTIVE = {(1, 1), (2, 1), (3, 1), (4, 1), (1, 2)}
MAY_TO_OCT = (0.05, 0.12, 0.2, 0.25, 0.18, 0.1)

# Pumping records as read (factor 0.25 for the listed identifiers 9001, 9002):
#  1 grp 5 (1,1) pump 100 gw 10 ac 8 -> 2, quelta 8           (commas)
#  2 grp 5 (1,2) pump -12345678 gw 20 ac 4 -> 1, quelta 4     (quoted text,
#    values after the ninth ignored)
#  3 grp 6 (3,1) pump 50 gw 4 ac 6                            (two lines)
#  4 grp 6 (4,1) pump 30 gw 30 ac 6                           (2*30.0)
#  5 grp 6 (1,1) pump 40 gw 30 (null: the previous value) ac 7
#  6 (2,2) inactive: pump 1.0, nmsg 1                         (slash)
#  7 (1,3) inactive (blank row): pump 9.0, nmsg 2
#  8 cut short by the end of the file: dropped
PUMP = {(1, 1): 140.0, (3, 1): 50.0, (4, 1): 30.0}
GROUPS = {
    # pumpgrp 100 - 12345678 = -12345578: too wide for F10.2 -> asterisks
    5: (2, 1050.0, 5200.0, f32(100.0 - 12345678.0), 30.0, 3.0, 10.0),
    # mean x (1250 + 1350 + 1050) / 3 as a 4-byte real, mean y 5250
    6: (3, f32(3650.0 / 3), 5250.0, 120.0, 64.0, 19.0, 20.0),
}
SUMS = (94.0, 22.0, 12.0, 0.0, 0.0)
# group 5: box 0 x 100 ft; group 6: box 300 x 0 ft
PDRANGE = {5: f32(100 / 5280), 6: f32(300 / 5280)}

# Tracts: group 5 tract 1 at (1110,5280) -> (2,1), 60 x 80 ft from (1050,5200);
# group 6 tract 2 at (1250,5250) -> (3,1), |mean x - 1250| ft away. Both fct 1.
GWRET = {(2, 1): 30.0, (3, 1): 64.0}
ACRES = {(2, 1): 3.0, (3, 1): 19.0}
DIST6 = f32(abs(GROUPS[6][1] - 1250.0) / 5280)
TRACT_ROWS = [
    record(5, 1, 1, 1, 1, 10.0, 1.0, 1110.0, 5280.0, 1, 2, 2, 1.0, 1, 2, 1050.0, 5200.0,
           f32(100 / 5280), PDRANGE[5], 3.0, 3.0, 1),
    record(6, 1, 1, 1, 2, 20.0, 1.0, 1250.0, 5250.0, 1, 3, 3, 1.0, 1, 3, GROUPS[6][1], 5250.0,
           DIST6, PDRANGE[6], 19.0, 19.0, 1),
]


def cells_of(grid):
    return [(r, c, grid[(c, r)]) for r in range(1, NROW + 1) for c in range(1, NCOL + 1)
            if grid.get((c, r), 0.0) > 0.0 and (c, r) in ACTIVE]


def monthly(grid, month):
    rows, total = [], 0.0
    for r in range(1, NROW + 1):
        values = []
        for c in range(1, NCOL + 1):
            v, w = grid.get((c, r), 0.0), 0.0
            if v > 0.0:
                w = f32(v * f32(MAY_TO_OCT[month - 5]))
                total = f32(total + w)
            values.append(w)
        rows.extend(array_row(values))
    return rows, total


def main():
    write_out(HERE, 'output2010.dat', [
        RUN_REPORT_HEADING,
        record(2, 2, 1.0, ' pumping'),
        record(3, 1, 9.0, ' pumping'),
        SUMS_HEADING,
        record(*SUMS),
    ])
    write_out(HERE, 'authacres2010.out', group_report(GROUPS, TRACT_ROWS))
    write_out(HERE, 'pumpgrid2010.dat', plot_records(cells_of(PUMP), **GEOMETRY))
    write_out(HERE, 'gwretgrid2010.dat', plot_records(cells_of(GWRET), **GEOMETRY))
    write_out(HERE, 'acresgrid2010.dat', plot_records(cells_of(ACRES), **GEOMETRY))
    check, ptot, gtot = [], 0.0, 0.0
    for m in range(5, 11):
        pmp, psum = monthly(PUMP, m)
        rcg, rsum = monthly(GWRET, m)
        write_out(HERE, '2010.%02d.pmp' % m, pmp)
        write_out(HERE, '2010.%02d.rcg' % m, rcg)
        check += [record('2010.%02d.pmp' % m), record('2010.%02d.rcg' % m), record(m, psum, rsum)]
        ptot, gtot = f32(ptot + psum), f32(gtot + rsum)
    agw = []
    for r in range(1, NROW + 1):
        agw.extend(array_row([ACRES.get((c, r), 0.0) for c in range(1, NCOL + 1)]))
    write_out(HERE, '2010.agw', agw)
    write_out(HERE, '2010.mi', array_row([0.0] * NCOL) * NROW)
    write_out(HERE, '2010migrid.dat', [])
    check += [record('pumping'), record(ptot), record('gw returns'), record(gtot),
              record('gw acres'), record(22.0), record('m&i pumping'), record(0.0)]
    write_out(HERE, 'check2010.out', check)

    stdout = header_console('2010', '0.25', 0.25) + [
        record('..reading authorized acres by group'),
        record('Expected fields: grp,twnshp,range,sect,tract,authacres'),
        # 10 + 20; the last record (group 7, five values) ends at the end of the file
        record('sum authorized acres by group = ', 30.0),
        record('..reading pumping file'),
        record('sums (sumgwret, sumacres,queltaacres,'),
        record('      gwretnotauthorized, acresnotauthorized): '),
        record(*SUMS),
        record('sum over acresloc(grp):', 22.0),
        record('..reading coordinates of 40-acre tracts'),
        record('..writing plot files'),
        record('..writing pmp, rcg, and agw files'),
        record('..reading m&i file'),
        record(0, ' m&i recs read'),
        record('..write mi plot file'),
    ]
    write_expected(HERE, stdout, [], 0)


if __name__ == '__main__':
    main()
