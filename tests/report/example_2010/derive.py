"""Golden files of the year report for the example year (example/, 2010,
factor 0.7187758): budget.csv, problems.csv and four ESRI ASCII grids.

Run: python3 derive.py <out/ of `tessadro 2010 0.7187758` on the example>
(for instance build/release/example/out after `cmake --workflow --preset example`).

How the numbers are derived, without the program's report code:
  * every record of the three year files is read and classified here by the
    rules of the run (the cell rule and 4-byte floats of tests/run/yearmodel.py):
    a pumping record off the grid or on an inactive cell loses its pumping,
    return flow and acres; an accepted one with negative pumping loses that
    pumping; an exchange-area well's acres change by acloc*factor - acloc;
    each tract gets the share authacres/authtot of its group's 4-byte totals
    and loses it when its point (0,0 when 40coords.dat lacks it) is off the
    grid or on an inactive cell; records of groups without authorized acres
    go to their well's cell under the 640-acre cap; M&I records off the grid,
    on inactive cells or not positive are not placed;
  * what the arrays hold comes from the legacy out/ files: the annual grids
    from the plot files (9 significant digits give back each 4-byte value),
    the monthly values as f32(annual * county factor), checked field by field
    against the .pmp and .rcg files, and the values the model reads from the
    F6.1 fields of the array files themselves; the change the county factors
    make is, in each cell with a positive annual value, the sum of its six
    monthly values less the annual value;
  * the cell rule truncates toward zero, so a point less than a cell west or
    north of the grid lands in column or row 1: such a pumping record, tract
    or M&I record, accepted like any other, is a warning with its distance
    from the grid (the corner's distance when it lies both west and north)
    and the amounts it put in the cell (a well's pumping when positive, its
    reassigned return flow and acres when its group has no authorized acres;
    a tract's shares; an M&I amount), unless all of them are 0; each
    array quantity's budget notes the sum of its non-zero amounts of those
    rows;
  * sums are formed in double in file order (records) or row order (cells),
    amounts printed with four decimals;
  * the check report's totals are formed as the legacy check report forms
    them: each month's sum a running 4-byte sum of its cells in row order,
    the season's a running 4-byte sum of the months, the acres and M&I
    pumping running 4-byte sums of every cell; the values checked against
    check2010.out, and their difference from the double sum of the same
    values is the rounding of the running sum;
  * the budget of each quantity comes first; the rounding rows (4-byte sums,
    F6.1 fields, the check report's total and its rounding) of every
    quantity follow them all;
  * a problem row leaves empty what does not apply to it: the cell and point
    of a record without a place, or of one at (0, 0), which these files use
    for "no location" (the well of record 139, the M&I well of record 14).
  * input warnings (docs/formats.md, sections 2.1 and 9) head the problem
    list, by file name and line: the example's records are all read as
    written, so only the range checks can apply: a well (pumping or M&I)
    outside the survey's extent (the box of the tract points of 40coords.dat
    other than (0, 0), widened by 660 ft), negative acres, a month factor
    outside 0 to 1, county factors whose sum is more than 0.001 away from 1.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, '..', '..', '..')
sys.path.insert(0, os.path.join(ROOT, 'tests', 'run'))
from yearmodel import f32, Grid, fixed_real  # noqa: E402

EXAMPLE = os.path.join(ROOT, 'example')
YEAR = '2010'
FACTOR = f32(0.7187758)


def records(path, sep=None):
    with open(path) as f:
        return [line.replace(',', ' ').split() if sep else line.split() for line in f if line.strip()]


def read_static():
    par = records(os.path.join(EXAMPLE, 'static', 'tessadro.par'))
    nrow, ncol = int(par[0][0]), int(par[0][1])
    delx, dely = float(par[1][0]), float(par[1][1])
    xorigin, yorigin = float(par[2][0]), float(par[2][1])
    with open(os.path.join(EXAMPLE, 'static', '02.ibound')) as f:
        ib = [[int(line[2 * j:2 * j + 2]) for j in range(ncol)] for line in f.read().splitlines()[:nrow]]
    with open(os.path.join(EXAMPLE, 'static', 'cty.flg')) as f:
        cty = [[int(line[2 * j:2 * j + 2] or 0) for j in range(ncol)] for line in f.read().splitlines()[1:nrow + 1]]
    factors = {}
    for k, rec in enumerate(records(os.path.join(EXAMPLE, 'static', 'monthlyfactorsbycounty.txt'), ','), 1):
        factors[k] = [f32(float(v)) for v in rec[1:7]]
    pd = records(os.path.join(EXAMPLE, 'static', 'queltapdivs.txt'))
    pdivs = [int(r[0]) for r in pd[1:1 + int(pd[0][0])]]
    coords = {}
    for r in records(os.path.join(EXAMPLE, 'static', '40coords.dat')):
        coords[tuple(int(v) for v in r[:4])] = (f32(float(r[4])), f32(float(r[5])))
    return Grid(nrow, ncol, delx, dely, xorigin, yorigin, ib), cty, factors, pdivs, coords


def input_warnings(grid, factors, coords, year, pumpfile, authfile, mifile):
    """The rows of the input warnings: (file, line) order, the record's text last."""
    points = [p for p in coords.values() if p != (0.0, 0.0)]
    xmin, xmax = min(p[0] for p in points), max(p[0] for p in points)
    ymin, ymax = min(p[1] for p in points), max(p[1] for p in points)
    # The extent as docs/formats.md gives it for the example.
    assert (round(xmin - 660), round(xmax + 660), round(ymin - 660), round(ymax + 660)) == \
        (2125657, 2368574, 2023579, 2245373)

    def inside(x, y):
        return f32(xmin - 660) <= x <= f32(xmax + 660) and f32(ymin - 660) <= y <= f32(ymax + 660)

    rows = []

    def warn(reason, file, line, text, x=0.0, y=0.0, a=None):
        located = (x, y) != (0.0, 0.0)
        rows.append((file, line, ['warning', reason, file, str(line), '', '', '',
                                  shortest(x) if located else '', shortest(y) if located else '',
                                  '', '', '' if a is None else amount(a), '', '', quoted(text)]))

    def quoted(text):
        return '"' + text.replace('"', '""') + '"' if ',' in text or '"' in text else text

    def lines(path):
        with open(path) as f:
            return f.read().splitlines()
    for n, text in enumerate(lines(os.path.join(year, pumpfile)), 1):
        r = text.split()
        x, y, a = f32(float(r[2])), f32(float(r[3])), f32(float(r[8]))
        if a < 0.0:
            warn('negative acres', pumpfile, n, text, a=a)
        if not inside(x, y):
            warn("well outside the survey's extent", pumpfile, n, text, x, y)
    for n, text in enumerate(lines(os.path.join(year, authfile)), 1):
        a = f32(float(text.split(',')[5]))
        if a < 0.0:
            warn('negative acres', authfile, n, text, a=a)
    for n, text in enumerate(lines(os.path.join(year, mifile)), 1):
        r = text.split()
        x, y = f32(float(r[2])), f32(float(r[3]))
        if not inside(x, y):
            warn("well outside the survey's extent", mifile, n, text, x, y)
    factor_lines = lines(os.path.join(EXAMPLE, 'static', 'monthlyfactorsbycounty.txt'))
    for k in range(1, 45):
        if any(not 0.0 <= v <= 1.0 for v in factors[k]):
            warn('month factor outside 0 to 1', 'monthlyfactorsbycounty.txt', k, factor_lines[k - 1])
        if abs(sum(factors[k]) - 1.0) > 0.001:
            warn('county factors do not add up to 1 within 0.001', 'monthlyfactorsbycounty.txt', k,
                 factor_lines[k - 1])
    rows.sort(key=lambda r: (r[0], r[1]))
    assert len(rows) == 3   # the README's three wells
    return [r[2] for r in rows]


def shortest(v):
    """A 4-byte value in the fewest digits that read back as it, in fixed notation."""
    for p in range(1, 10):
        s = '%.*g' % (p, v)
        if f32(float(s)) == v:
            break
    from decimal import Decimal
    text = format(Decimal(s), 'f')
    return text


def amount(v):
    s = '%.4f' % v
    return '0.0000' if s == '-0.0000' else s


class Tallies:
    def __init__(self):
        self.t = {}

    def add(self, q, reason, v):
        c, a = self.t.get((q, reason), (0, 0.0))
        self.t[(q, reason)] = (c + 1, a + v)

    def get(self, q, reason):
        return self.t.get((q, reason), (0, 0.0))


def main(out):
    grid, cty, factors, pdivs, coords = read_static()
    t = Tallies()
    problems = []
    pumpfile, authfile, mifile = 'tessadro%s.txt' % YEAR, 'authacres%s.txt' % YEAR, '%smi.txt' % YEAR
    year = os.path.join(EXAMPLE, 'year')

    def on_grid(col, row):
        return 1 <= col <= grid.ncol and 1 <= row <= grid.nrow

    def problem(sev, reason, file, line, grp, row, col, x, y, p=None, g=None, a=None, m=None):
        # No place for a record at (0, 0), nor for one without a point (None);
        # no distance outside the grid (that is for the rows of at_edge).
        located = x is not None and (x, y) != (0.0, 0.0)
        place = [str(row), str(col), shortest(x), shortest(y)] if located else ['', '', '', '']
        problems.append([sev, reason, file, str(line) if line else '', '' if grp is None else str(grp)] + place +
                        ['' if v is None else amount(v) for v in (p, g, a, m)] + ['', ''])

    # Points outside the grid that the cell rule puts in column or row 1:
    # [reason, file, line, grp, col, row, x, y, {quantity: amount}] in the
    # problem list where they are met, made rows once their amounts are known.
    def outside(x, y):
        return math.hypot(max(0.0, grid.xorigin - x), max(0.0, y - grid.ytop))

    def at_edge(reason, file, line, grp, col, row, x, y, amounts):
        if (col == 1 or row == 1) and outside(x, y) > 0.0:
            problems.append((reason, file, line, grp, col, row, x, y, amounts))
            return amounts
        return None

    # Authorized acres, first pass: the group totals.
    auth = records(os.path.join(year, authfile), ',')
    authtot = {}
    for r in auth:
        grp = int(r[0])
        if grp <= 5000:
            authtot[grp] = f32(authtot.get(grp, 0.0) + f32(float(r[5])))

    def no_auth(grp):
        return abs(authtot.get(grp, 0.0)) < f32(1.0e-6)

    # Pumping records.
    gwretloc, acresloc, na, na_lines = {}, {}, [], []
    for n, r in enumerate(records(os.path.join(year, pumpfile)), 1):
        grp, pdid = int(r[0]), int(r[1])
        x, y = f32(float(r[2])), f32(float(r[3]))
        p, g, a = f32(float(r[6])), f32(float(r[7])), f32(float(r[8]))
        for q, v in (('pumping', p), ('return flow', g), ('acres', a)):
            t.add(q, 'pumping file', v)
        col, row = grid.locate(x, y)
        if not on_grid(col, row) or grid.ib(col, row) == 0:
            reason = 'off the grid' if not on_grid(col, row) else 'on an inactive cell'
            for q, v in (('pumping', p), ('return flow', g), ('acres', a)):
                t.add(q, reason, v)
            problem('warning', 'pumping record ' + reason, pumpfile, n, grp, row, col, x, y, p, g, a)
            continue
        well = at_edge('well outside the grid placed in an edge cell', pumpfile, n, grp, col, row, x, y,
                       {'pumping': p} if p > 0.0 else {})
        acfact = FACTOR if pdid in pdivs else 1.0
        scaled = f32(a * acfact)
        if acfact != 1.0:
            t.add('acres', 'exchange-area factor', scaled - a)
        gwretloc[grp] = f32(gwretloc.get(grp, 0.0) + g)
        acresloc[grp] = f32(acresloc.get(grp, 0.0) + scaled)
        if no_auth(grp):
            na.append((grp, col, row, scaled, g, well))
            na_lines.append(n)
        if p < 0.0:
            t.add('pumping', 'negative pumping not placed', p)
            problem('note', 'negative pumping not placed', pumpfile, n, grp, row, col, x, y, p)

    # Tracts: each gets its share; the acres placed are kept for the cap.
    acres = {}
    for n, r in enumerate(auth, 1):
        grp, key, a = int(r[0]), tuple(int(v) for v in r[1:5]), f32(float(r[5]))
        t.add('authorized acres', 'authorized-acres file', a)
        if grp > 5000:
            t.add('authorized acres', 'group beyond 5000', a)
            # Its tract is never looked up: no place; its authorized acres lost.
            problem('warning', 'group beyond 5000', authfile, n, grp, None, None, None, None, a=a)
            continue
        x, y = coords.get(key, (0.0, 0.0))
        fct = 0.0 if no_auth(grp) else f32(a / authtot[grp])
        gs, as_ = f32(gwretloc.get(grp, 0.0) * fct), f32(acresloc.get(grp, 0.0) * fct)
        col, row = grid.locate(x, y)
        missing = key not in coords
        if on_grid(col, row) and grid.ib(col, row) != 0:
            acres[(col, row)] = f32(acres.get((col, row), 0.0) + as_)
            assert not missing
            at_edge('tract outside the grid placed in an edge cell', authfile, n, grp, col, row, x, y,
                    {'return flow': gs, 'acres': as_})
            continue
        reason = ('tract without coordinates' if missing else
                  'tract off the grid' if not on_grid(col, row) else 'tract on an inactive cell')
        t.add('return flow', reason, gs)
        t.add('acres', reason, as_)
        problem('warning', reason, authfile, n, grp, row, col, x, y, None, gs, as_)

    # Reassignment under the 640-acre cap.
    for k, (grp, col, row, acl, gwl, well) in enumerate(na):
        have = acres.get((col, row), 0.0)
        reassgn = min(f32(640.0 - have), acl) if have < 640.0 else 0.0
        if well is not None and have < 640.0:
            well.update({'return flow': gwl, 'acres': reassgn})
        acres[(col, row)] = f32(have + reassgn)
        lost_acres = acl - reassgn
        if lost_acres != 0.0 or have >= 640.0:
            t.add('acres', '640-acre cap of the reassignment', lost_acres)
            gw = None
            if have >= 640.0:
                t.add('return flow', '640-acre cap of the reassignment', gwl)
                gw = gwl
            cx, cy = grid.centre(col, row)
            problem('warning', '640-acre cap of the reassignment', pumpfile, na_lines[k], grp, row, col, cx, cy,
                    None, gw, lost_acres)

    # M&I records.
    for n, r in enumerate(records(os.path.join(year, mifile)), 1):
        x, y, m = f32(float(r[2])), f32(float(r[3])), f32(float(r[7]))
        t.add('m&i pumping', 'M&I file', m)
        col, row = grid.locate(x, y)
        if not on_grid(col, row):
            reason, text = 'off the grid', 'M&I well off the grid'
        elif grid.ib(col, row) == 0:
            reason, text = 'on an inactive cell', 'M&I well on an inactive cell'
        elif m < 0.0:
            reason, text = 'negative M&I pumping not placed', 'negative M&I pumping not placed'
        else:
            if m > 0.0:
                at_edge('M&I well outside the grid placed in an edge cell', mifile, n, None, col, row, x, y,
                        {'m&i pumping': m})
            continue
        t.add('m&i pumping', reason, m)
        problem('note' if reason.startswith('negative') else 'warning', text, mifile, n, None, row, col, x, y,
                m=m)

    # The edge rows that put something in their cells, and the budget's note.
    quantities = ('pumping', 'return flow', 'acres', 'm&i pumping')
    for k, e in enumerate(problems):
        if not isinstance(e, tuple):
            continue
        reason, file, line, grp, col, row, x, y, amounts = e
        if not any(v != 0.0 for v in amounts.values()):
            problems[k] = None
            continue
        for q in quantities:
            if amounts.get(q, 0.0) != 0.0:
                t.add(q, 'placed in edge cells from points outside the grid', amounts[q])
        problems[k] = (['warning', reason, file, str(line), '' if grp is None else str(grp), str(row), str(col),
                        shortest(x), shortest(y)] +
                       ['' if q not in amounts else amount(amounts[q]) for q in quantities] +
                       [amount(outside(x, y)), ''])
    problems[:] = [p for p in problems if p is not None]

    # The annual grids from the plot files.
    def plot(name):
        values = {}
        for r in records(os.path.join(out, name)):
            values[(int(r[4]), int(r[3]))] = f32(float(r[2]))
        return values
    pump, gwret = plot('pumpgrid%s.dat' % YEAR), plot('gwretgrid%s.dat' % YEAR)
    acres_grid, pumpmi = plot('acresgrid%s.dat' % YEAR), plot('%smigrid.dat' % YEAR)
    for cell, v in acres.items():
        assert v <= 0.0 or acres_grid[cell] == v, cell

    def array_fields(name):
        with open(os.path.join(out, name), newline='') as f:
            lines = f.read().split('\r\n')
        return [[line[6 * j:6 * j + 6] for j in range(grid.ncol)] for line in lines[:grid.nrow]]

    def county(col, row):
        c = cty[row - 1][col - 1]
        return 1 if c == 0 else c

    # Monthly values: f32(annual * factor) in cells with a positive value.
    arrays = []
    for m in range(5, 11):
        for ext, annual in (('pmp', pump), ('rcg', gwret)):
            name = '%s.%02d.%s' % (YEAR, m, ext)
            fields = array_fields(name)
            values = {}
            for (col, row), v in annual.items():
                if v > 0.0:
                    values[(col, row)] = f32(v * factors[county(col, row)][m - 5])
            for col, row in grid.cells():
                assert fixed_real(values.get((col, row), 0.0), 6, 1) == fields[row - 1][col - 1], (name, col, row)
            arrays.append((name, 'pumping' if ext == 'pmp' else 'return flow', values, fields))
    arrays.append(('%s.agw' % YEAR, 'acres', acres_grid, array_fields('%s.agw' % YEAR)))
    arrays.append(('%s.mi' % YEAR, 'm&i pumping', pumpmi, array_fields('%s.mi' % YEAR)))

    # The change that the county factors make: in each cell split into months
    # (a positive annual value), the six 4-byte monthly values, as the arrays
    # hold them, against the year's value.
    for col, row in grid.cells():
        for q, annual in (('pumping', pump), ('return flow', gwret)):
            v = annual.get((col, row), 0.0)
            if v > 0.0:
                months = sum(values[(col, row)] for name, qq, values, fields in arrays if qq == q)
                t.add(q, 'county monthly factors', months - v)
    t.t[('authorized acres', 'group totals')] = (sum(1 for v in authtot.values() if v != 0.0),
                                                 sum(authtot[g] for g in sorted(authtot)))
    # No negative return flow and no asterisks in the example (its README):
    # those rows stay at zero, and the check below shows it.
    written, placed = {}, {}
    for name, q, values, fields in arrays:
        for col, row in grid.cells():
            field = fields[row - 1][col - 1]
            assert '*' not in field
            v = values.get((col, row), 0.0)
            if v != 0.0:
                c, a = placed.get(q, (0, 0.0))
                placed[q] = (c + 1, a + v)
            written[q] = written.get(q, 0) + round(float(field) * 10)

    layout = [
        ('pumping', 'pumping file', ['off the grid', 'on an inactive cell', 'negative pumping not placed'],
         ['county monthly factors'], 'monthly .pmp arrays', True),
        ('return flow', 'pumping file', ['off the grid', 'on an inactive cell', 'tract without coordinates',
                                         'tract off the grid', 'tract on an inactive cell',
                                         '640-acre cap of the reassignment', 'negative return flow not placed'],
         ['county monthly factors'], 'monthly .rcg arrays', True),
        ('acres', 'pumping file', ['off the grid', 'on an inactive cell', 'tract without coordinates',
                                   'tract off the grid', 'tract on an inactive cell',
                                   '640-acre cap of the reassignment'],
         ['exchange-area factor'], '.agw array', True),
        ('m&i pumping', 'M&I file', ['off the grid', 'on an inactive cell', 'negative M&I pumping not placed'], [],
         '.mi array', True),
        ('authorized acres', 'authorized-acres file', ['group beyond 5000'], [], 'group totals', False),
    ]
    # The check report's totals (see the docstring), and check2010.out's.
    def running(values):
        total = 0.0
        for v in values:
            total = f32(total + v)
        return total
    check = {}
    for q in ('pumping', 'return flow'):
        check[q] = running(running(values.get(cell, 0.0) for cell in grid.cells())
                           for name, qq, values, fields in arrays if qq == q)
    check['acres'] = running(acres_grid.get(cell, 0.0) for cell in grid.cells())
    check['m&i pumping'] = running(pumpmi.get(cell, 0.0) for cell in grid.cells())
    labels = {'pumping': 'pumping', 'return flow': 'gw returns', 'acres': 'gw acres', 'm&i pumping': 'm&i pumping'}
    with open(os.path.join(out, 'check%s.out' % YEAR)) as f:
        lines = [line.strip() for line in f]
    for q, label in labels.items():
        assert f32(float(lines[lines.index(label) + 1])) == check[q], (q, check[q])

    rows = ['quantity,kind,reason,count,amount']
    rounding = []
    for q, file_reason, losses, changes, placed_reason, is_array in layout:
        c, a = t.get(q, file_reason)
        rows.append('%s,in file,%s,%d,%s' % (q, file_reason, c, amount(a)))
        residual = a
        for reason in losses:
            c, a = t.get(q, reason)
            rows.append('%s,loss,%s,%d,%s' % (q, reason, c, amount(a)))
            residual -= a
        for reason in changes:
            c, a = t.get(q, reason)
            rows.append('%s,change,%s,%d,%s' % (q, reason, c, amount(a)))
            residual += a
        c, a = placed.get(q, t.get(q, placed_reason))
        rows.append('%s,placed,%s,%d,%s' % (q, placed_reason, c, amount(a)))
        rounding.append('%s,rounding,4-byte sums: in file - losses + changes - placed,0,%s' % (q, amount(residual - a)))
        if is_array:
            n, e = t.get(q, 'placed in edge cells from points outside the grid')
            rows.append('%s,note,placed in edge cells from points outside the grid,%d,%s' % (q, n, amount(e)))
            w = written[q] / 10.0
            rows.append('%s,unreadable,written as ******,0,0.0000' % q)
            rows.append('%s,written,as the model reads it,0,%s' % (q, amount(w)))
            rounding.append('%s,rounding,F6.1 fields,0,%s' % (q, amount(w - a)))
            rounding.append('%s,check report,%s,0,%s' % (q, labels[q], amount(check[q])))
            rounding.append("%s,rounding,check report's running 4-byte sum,0,%s" % (q, amount(check[q] - a)))
    rows += rounding
    with open(os.path.join(HERE, 'budget.csv'), 'w') as f:
        f.write('\n'.join(rows) + '\n')
    problems[:0] = input_warnings(grid, factors, coords, year, pumpfile, authfile, mifile)
    with open(os.path.join(HERE, 'problems.csv'), 'w') as f:
        f.write('severity,reason,file,line,group,row,column,x,y,pumping,return_flow,acres,mi_pumping,outside_ft,'
                'record\n')
        f.write(''.join(','.join(p) + '\n' for p in problems))

    # ESRI ASCII grids of four arrays: the fields as the model reads them.
    for name in ('%s.07.pmp' % YEAR, '%s.07.rcg' % YEAR, '%s.agw' % YEAR, '%s.mi' % YEAR):
        fields = array_fields(name)
        lines = ['ncols %d' % grid.ncol, 'nrows %d' % grid.nrow, 'xllcorner %s' % shortest(grid.xorigin),
                 'yllcorner %s' % shortest(grid.yorigin), 'cellsize %s' % shortest(grid.delx),
                 'NODATA_value -9999']
        for row in range(1, grid.nrow + 1):
            cells = []
            for col in range(1, grid.ncol + 1):
                tenths = round(float(fields[row - 1][col - 1]) * 10)
                if grid.ib(col, row) == 0:
                    cells.append('-9999')
                else:
                    cells.append('%s%d.%d' % ('-' if tenths < 0 else '', abs(tenths) // 10, abs(tenths) % 10))
            lines.append(' '.join(cells))
        with open(os.path.join(HERE, name + '.asc'), 'w') as f:
            f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main(sys.argv[1])
