"""A hand-written model of one year's run, used by the derive.py scripts of the
whole-run datasets under tests/data/ to write their input files and their
expected results.

It follows the program's published rules step by step (it shares no code with
the program):
  * every stored real is a 4-byte float, rounded after each +, -, *, /, sqrt
    (f32 below); the cell quotient, the north edge and the cell centres are
    formed in double precision and rounded once;
  * free-form records: a leading blank, integers in 11 characters, reals in
    16 characters with 9 significant digits, text as is, one blank between
    items except between two texts;
  * fixed fields Iw, Fw.d: rounded to the decimals (exact halves to even),
    asterisks when the value does not fit;
  * files written end every record with CR LF, console lines with LF.

A dataset's derive.py describes its inputs as Python values, calls
write_inputs() and run(), checks the numbers it reasoned by hand against the
model's records, and calls write_expected().
"""
import math
import os
import shutil
import struct

N_GROUPS = 5000
UNIT_AUTHACRES = 20
UNIT_COORDS = 21


def f32(v):
    """The 4-byte float nearest to v."""
    return struct.unpack('f', struct.pack('f', v))[0]


ONE_E_MINUS_6 = f32(1.0e-6)


# ---------------------------------------------------------------- records

def real16(v):
    """A 4-byte real in the 16-character free-form layout."""
    if math.isnan(v):
        return 'NaN'.rjust(16)
    if math.isinf(v):
        return ('Infinity' if v > 0 else '-Infinity').rjust(16)
    a = abs(v)
    if v == 0.0 or (f32(0.1) <= a < 1.0e9):
        if a < 1.0:
            text = '%.9f' % v
        else:
            digits = len('%d' % math.floor(a))
            text = '%.*f' % (9 - digits, v)
            if len(text.lstrip('-').split('.')[0]) > digits:   # carried into a new digit
                text = '%.*f' % (max(0, 8 - digits), v)
            if '.' not in text:
                text += '.'
        if v == 0.0:
            text = ('-' if math.copysign(1.0, v) < 0 else '') + '0.00000000'
        return text.rjust(12) + '    '
    return ('%.8E' % v).rjust(16)


def free(*items):
    """One free-form record (without its record end)."""
    out = ' '
    prev = None
    for item in items:
        if isinstance(item, str):
            kind, text = 't', item
        elif isinstance(item, int):
            kind, text = 'i', '%11d' % item
        else:
            kind, text = 'r', real16(item)
        if prev is not None and not (prev == 't' and kind == 't'):
            out += ' '
        out += text
        prev = kind
    return out


def fixed_real(v, w, d):
    """A real in an Fw.d field."""
    if math.isnan(v):
        return 'NaN'.rjust(w)
    if math.isinf(v):
        if v > 0:
            return ('Infinity' if w > 7 else 'Inf').rjust(w)
        return ('-Infinity' if w > 8 else '-Inf').rjust(w)
    text = '%.*f' % (d, v)
    if d == 0:
        text += '.'
    if len(text) > w and text.startswith('0.'):
        text = text[1:]
    if len(text) > w and text.startswith('-0.'):
        text = '-' + text[2:]
    if len(text) > w:
        return '*' * w
    return text.rjust(w)


def f61_records(values):
    """One grid row written with "(326f6.1)": 326 fields a record."""
    records = []
    for start in range(0, max(len(values), 1), 326):
        records.append(''.join(fixed_real(v, 6, 1) for v in values[start:start + 326]))
    return records


def i2_records(values):
    """One grid row in the "(326i2)" layout of the grid files."""
    return [''.join('%2d' % v for v in values[start:start + 326])
            for start in range(0, len(values), 326)]


def real_text(v):
    """How a real is written in an input file."""
    return repr(float(v))


# ---------------------------------------------------------------- inputs

class Year:
    """Everything one run reads. Grids are lists of rows (row 1 first), each a
    list of values for columns 1 to ncol.

    authacres: list of (grp, twnshp, range, sect, tract, authacres), or None
               when the file is missing.
    pumping:   list of (grp, pdid, x, y, v5, text2, pumploc, gwloc, acloc), or None.
    mi:        list of (id1, id2, x, y, a, b, c, amount), or None; the list may
               hold a Malformed record, and end with a Truncated one.
    coords:    list of (twnshp, range, sect, tract, x, y); an entry may be a
               Malformed record, written as its text; None when the file
               is missing.
    factors:   44 tuples of six factors (May to October).
    """

    def __init__(self, year, factor, nrow, ncol, delx, dely, xorigin, yorigin,
                 ibound, icty, factors, pdivs, coords, authacres, pumping, mi):
        self.year, self.factor = year, factor
        self.nrow, self.ncol = nrow, ncol
        self.delx, self.dely = f32(delx), f32(dely)
        self.xorigin, self.yorigin = f32(xorigin), f32(yorigin)
        self.ibound, self.icty, self.factors = ibound, icty, factors
        self.pdivs, self.coords = pdivs, coords
        self.authacres, self.pumping, self.mi = authacres, pumping, mi


def _record_text(rec):
    if isinstance(rec, str):
        return rec
    if isinstance(rec, (Malformed, Truncated)):
        return rec.text
    return ' '.join(real_text(v) if isinstance(v, float) else str(v) for v in rec)


def _write_lines(path, lines):
    with open(path, 'w', newline='\n') as out:
        for line in lines:
            out.write(line + '\n')


def write_inputs(folder, y, header='county flags'):
    """Write args, static/ and work/ of a dataset from the Year y."""
    static = os.path.join(folder, 'static')
    work = os.path.join(folder, 'work')
    for d in (static, work):
        if os.path.isdir(d):
            shutil.rmtree(d)
        os.makedirs(d)
    _write_lines(os.path.join(folder, 'args'), [y.year, y.factor])
    _write_lines(os.path.join(static, 'tessadro.par'), [
        '%d %d' % (y.nrow, y.ncol),
        '%s %s' % (real_text(y.delx), real_text(y.dely)),
        '%s %s' % (real_text(y.xorigin), real_text(y.yorigin))])
    _write_lines(os.path.join(static, '02.ibound'),
                 [rec for row in y.ibound for rec in i2_records(row)])
    _write_lines(os.path.join(static, 'cty.flg'),
                 [header] + [rec for row in y.icty for rec in i2_records(row)])
    _write_lines(os.path.join(static, 'monthlyfactorsbycounty.txt'),
                 ['%d,%s,county%02d' % (k + 1, ','.join(real_text(v) for v in f), k + 1)
                  for k, f in enumerate(y.factors)])
    _write_lines(os.path.join(static, 'queltapdivs.txt'),
                 [str(len(y.pdivs))] + [str(p) for p in y.pdivs])
    if y.coords is not None:
        _write_lines(os.path.join(static, '40coords.dat'), [_record_text(r) for r in y.coords])
    chyear = y.year[:4].ljust(4)
    files = [('authacres%s.txt' % chyear, y.authacres),
             ('tessadro%s.txt' % chyear, y.pumping),
             ('%smi.txt' % chyear, y.mi)]
    for name, recs in files:
        if recs is not None:
            _write_lines(os.path.join(work, name), [_record_text(r) for r in recs])
    if not os.listdir(work):
        os.rmdir(work)


# ---------------------------------------------------------------- the run

class RunError(Exception):
    def __init__(self, location, message):
        super().__init__(message)
        self.location, self.message = location, message


class Malformed:
    """A record that does not read: item `item` is not a number of its type."""

    def __init__(self, text, item, kind):
        self.text, self.item, self.kind = text, item, kind

    def message(self):
        if self.kind == 'integer':
            return 'Bad integer for item %d in list input' % self.item
        return 'Bad real number in item %d of list input' % self.item


class Truncated:
    """A last record that the end of the file cuts short: it is not read."""

    def __init__(self, text):
        self.text = text


class Result:
    def __init__(self):
        self.stdout, self.stderr = [], []
        self.files = {}          # name below out/ -> list of records
        self.status = 0

    def console(self, *items):
        self.stdout.append(free(*items))

    def file(self, name):
        return self.files.setdefault(name, [])


def run(y):
    """Model the whole run on the Year y; returns a Result."""
    r = Result()
    try:
        _run(y, r)
    except RunError as e:
        r.stderr += [e.location, 'Error: ' + e.message]
        r.status = 2
    return r


def _run(y, r):
    chyear = y.year[:4].ljust(4)
    chfact = y.factor[:10].ljust(10)
    q = f32(float(chfact.strip()) if chfact.strip() else 0.0)
    r.console('run for year ' + chyear + ', quelta factor=' + chfact)
    r.console(' real version: ', q)
    r.console('..Processing year: ', chyear, ' Quelta gw-ex area fraction=', q)
    nrow, ncol = y.nrow, y.ncol
    ytop = f32(nrow * y.dely + y.yorigin)

    def locate(x, yy):
        dx = f32(x - y.xorigin)
        dy = f32(ytop - yy)
        return int(dx / y.delx) + 1, int(dy / y.dely) + 1   # column, row; toward zero

    def centre(col, row):
        return (f32((col - 0.5) * y.delx + y.xorigin),
                f32(((nrow - row + 1) - 0.5) * y.dely + y.yorigin))

    def ib(col, row):
        return y.ibound[row - 1][col - 1]

    r.console('..reading ibound')
    r.console('..reading county flags')
    r.console('..reading monthly factors by county')
    r.console('Expected fields: index,may,jun,jul,aug,sep,oct,county')
    factors = [[f32(v) for v in f] for f in y.factors]
    r.console('..reading quelta points of diversion')

    # Authorized acres, first pass.
    authtot = [0.0] * (N_GROUPS + 1)
    r.console('..reading authorized acres by group')
    authfile = 'authacres%s.txt' % chyear
    if y.authacres is None:
        r.stderr.append("Warning: file '%s' does not exist; read as an empty file" % authfile)
    r.console('Expected fields: grp,twnshp,range,sect,tract,authacres')
    sumauth = 0.0
    largest = 0
    auth = y.authacres or []
    for n, rec in enumerate(auth, 1):
        grp, a = rec[0], f32(rec[5])
        largest = max(largest, grp)
        if grp > N_GROUPS:
            sumauth = f32(sumauth + a)
        elif grp < 1:
            raise RunError('At line %d of file tessadrov11 (unit = %d, file = \'%s\')'
                           % (n, UNIT_AUTHACRES, authfile),
                           "Index '%d' of dimension 1 of array 'authtot' below lower bound of 1" % grp)
        else:
            authtot[grp] = f32(authtot[grp] + a)
            sumauth = f32(sumauth + a)
    r.console('sum authorized acres by group = ', sumauth)

    def no_auth(g):
        return abs(authtot[g]) < ONE_E_MINUS_6

    # Pumping file.
    r.console('..reading pumping file')
    pumpfile = 'tessadro%s.txt' % chyear
    if y.pumping is None:
        r.stderr.append("Warning: file '%s' does not exist; read as an empty file" % pumpfile)
    report = r.file('output%s.dat' % chyear)
    r.file('check%s.out' % chyear)
    report.append(free('grp', 'gwloc', 'acloc', 'gwrfnotauth', 'gwacnotauth',
                       'iloc', 'jloc', 'nodena', 'numna'))
    groups = r.file('authacres%s.out' % chyear)
    groups.append(''.join(t.rjust(w) for t, w in zip(
        [' group', '   npd', '      xpd_ft', '      ypd_ft', '   pumpgrp', '  gwretloc',
         '  acresloc', '   authtot'], [6, 6, 12, 12, 10, 10, 10, 10])))
    nmsg = 0
    pump = {}
    gwret = {}
    acres = {}
    npd = [0] * (N_GROUPS + 1)
    xpd = [0.0] * (N_GROUPS + 1)
    ypd = [0.0] * (N_GROUPS + 1)
    box = {}
    pumpgrp = [0.0] * (N_GROUPS + 1)
    gwretloc = [0.0] * (N_GROUPS + 1)
    acresloc = [0.0] * (N_GROUPS + 1)
    pdrange = [0.0] * (N_GROUPS + 1)
    sumgwret = sumacres = queltaacres = gwna = acna = 0.0
    na = []
    for rec in (y.pumping or []):
        grp, pdid = rec[0], rec[1]
        x, yy, pumploc, gwloc, acloc = (f32(rec[2]), f32(rec[3]), f32(rec[6]),
                                        f32(rec[7]), f32(rec[8]))
        col, row = locate(x, yy)
        if not (1 <= col <= ncol and 1 <= row <= nrow):
            nmsg += 1
            report.append(free(nmsg, row, col, ' pumping'))
            continue
        if ib(col, row) == 0:
            nmsg += 1
            report.append(free(row, col, pumploc, ' pumping'))
            continue
        if pumploc > 0.0:
            pump[(col, row)] = f32(pump.get((col, row), 0.0) + pumploc)
        assert 1 <= grp <= N_GROUPS, 'group numbers that stop the run are not modelled'
        npd[grp] += 1
        xpd[grp] = f32(xpd[grp] + x)
        ypd[grp] = f32(ypd[grp] + yy)
        if npd[grp] == 1:
            box[grp] = [x, x, yy, yy]
        else:
            b = box[grp]
            b[0], b[1] = min(b[0], x), max(b[1], x)
            b[2], b[3] = min(b[2], yy), max(b[3], yy)
        pumpgrp[grp] = f32(pumpgrp[grp] + pumploc)
        gwretloc[grp] = f32(gwretloc[grp] + gwloc)
        acfact = 1.0
        for p in y.pdivs:
            if p == pdid:
                acfact = q
                queltaacres = f32(queltaacres + acloc)
                if no_auth(grp):
                    r.console('grp ', grp, ' gwret ', gwloc, ' acloc ', acloc)
        scaled = f32(acloc * acfact)
        acresloc[grp] = f32(acresloc[grp] + scaled)
        sumacres = f32(sumacres + scaled)
        sumgwret = f32(sumgwret + gwloc)
        if no_auth(grp):
            node = (row - 1) * ncol + col
            acna = f32(acna + scaled)
            gwna = f32(gwna + gwloc)
            na.append((grp, node, scaled, gwloc))
            report.append(free(grp, gwloc, acloc, gwna, acna, row, col, node, len(na)))

    # Group report and sums.
    r.console('sums (sumgwret, sumacres,queltaacres,')
    r.console('      gwretnotauthorized, acresnotauthorized): ')
    r.console(sumgwret, sumacres, queltaacres, gwna, acna)
    report.append(free('sums_gwret', 'acloc*qlt.fact.', 'quelta.ac', 'gwretnotauth.', 'acresnotauth.'))
    report.append(free(sumgwret, sumacres, queltaacres, gwna, acna))
    sumacresloc = 0.0
    for g in range(1, N_GROUPS + 1):
        sumacresloc = f32(sumacresloc + acresloc[g])
        if npd[g] > 1:
            xpd[g] = f32(xpd[g] / npd[g])
            ypd[g] = f32(ypd[g] / npd[g])
            b = box[g]
            dx, dy = f32(b[1] - b[0]), f32(b[3] - b[2])
            pdrange[g] = f32(f32(math.sqrt(f32(f32(dx * dx) + f32(dy * dy)))) / 5280.0)
        groups.append('%6d%6d' % (g, npd[g]) + fixed_real(xpd[g], 12, 0) + fixed_real(ypd[g], 12, 0)
                      + ''.join(fixed_real(v, 10, 2) for v in
                                (pumpgrp[g], gwretloc[g], acresloc[g], authtot[g])))
    r.console('sum over acresloc(grp):', sumacresloc)
    if largest > N_GROUPS:
        r.console('WARNING: largest group no.', largest,
                  ' exceeds array dimension limit nGroups,', N_GROUPS)

    # Tract coordinates.
    r.console('..reading coordinates of 40-acre tracts')
    bounds = (20, 45, 36, 16)

    def check_survey(nums, name, location):
        for dim in (4, 3, 2, 1):
            v = nums[dim - 1]
            if v < 1:
                raise RunError(location, "Index '%d' of dimension %d of array '%s' below lower bound of 1"
                               % (v, dim, name))
            if v > bounds[dim - 1]:
                raise RunError(location, "Index '%d' of dimension %d of array '%s' above upper bound of %d"
                               % (v, dim, name, bounds[dim - 1]))

    if y.coords is None:
        raise RunError('At line 0 of file tessadrov11 (unit = %d)' % UNIT_COORDS,
                       "File 'static/40coords.dat' does not exist")
    coords = {}
    for n, rec in enumerate(y.coords, 1):
        loc = "At line %d of file tessadrov11 (unit = %d, file = 'static/40coords.dat')" % (n, UNIT_COORDS)
        if isinstance(rec, Malformed):
            raise RunError(loc, rec.message())
        check_survey(rec[:4], 'xcoord', loc)
        coords[tuple(rec[:4])] = (f32(rec[4]), f32(rec[5]))

    # Distribution of group totals to tracts.
    ntracts = [0] * (N_GROUPS + 1)
    groups.append('')
    groups.append('=' * 86)
    groups.append(free(' grp', ' twnshp', ' range', ' sect', ' tract', ' authacres', ' fct', ' xloc',
                       ' yloc', ' row', ' col', ' node', ' fct=authacres/authtot', ' ibound(jloc,iloc)',
                       ' npd(grp)', ' xpd(grp)', ' ypd(grp)', ' distpdpu_mi', ' pdrange_mi',
                       ' acres(jloc,iloc)', ' acresloc(grp)', ' ntracts(grp)'))
    for n, rec in enumerate(auth, 1):
        grp, tw, rg, sc, tr = rec[:5]
        a = f32(rec[5])
        if grp > N_GROUPS:
            continue
        check_survey((tw, rg, sc, tr), 'xcoord',
                     "At line %d of file tessadrov11 (unit = %d, file = '%s')" % (n, UNIT_AUTHACRES, authfile))
        xloc, yloc = coords.get((tw, rg, sc, tr), (0.0, 0.0))
        if npd[grp] > 0:
            dx, dy = f32(xpd[grp] - xloc), f32(ypd[grp] - yloc)
            dist = f32(f32(math.sqrt(f32(f32(dx * dx) + f32(dy * dy)))) / 5280.0)
        else:
            dist = 0.0
        ntracts[grp] += 1
        col, row = locate(xloc, yloc)
        node = (row - 1) * 326 + col
        fct = 0.0 if no_auth(grp) else f32(a / authtot[grp])
        if col < 1 or col > ncol:
            nmsg += 1
            report.append(free(nmsg, row, col, ' return flow 1'))
            continue
        if row < 1 or row > nrow:
            nmsg += 1
            report.append(free(nmsg, row, col, 'return flow '))
            continue
        gshare, ashare = f32(gwretloc[grp] * fct), f32(acresloc[grp] * fct)
        if ib(col, row) == 0:
            nmsg += 1
            report.append(free(grp, tr, row, col, gshare, ashare, 'I'))
            continue
        gwret[(col, row)] = f32(gwret.get((col, row), 0.0) + gshare)
        acres[(col, row)] = f32(acres.get((col, row), 0.0) + ashare)
        groups.append(free(grp, tw, rg, sc, tr, a, fct, xloc, yloc, row, col, node, fct,
                           ib(col, row), npd[grp], xpd[grp], ypd[grp], dist, pdrange[grp],
                           acres[(col, row)], acresloc[grp], ntracts[grp]))

    # Reassignment of records without authorized acres.
    if na:
        report.append(free('reassign unauthorized place of use to pd'))
        report.append(free('idxna', ' grpna(idxna)', ' reassgn'))
        for idx, (grp, node, acl, gwl) in enumerate(na, 1):
            row, col = (node - 1) // ncol + 1, (node - 1) % ncol + 1
            have = acres.get((col, row), 0.0)
            if have < 640.0:
                reassgn = min(f32(640.0 - have), acl)
                acres[(col, row)] = f32(have + reassgn)
                gwret[(col, row)] = f32(gwret.get((col, row), 0.0) + gwl)
            else:
                reassgn = 0.0
            report.append(free(idx, grp, reassgn))

    # Plot files.
    def plot(name, grid):
        recs = r.file(name)
        for row in range(1, nrow + 1):
            for col in range(1, ncol + 1):
                v = grid.get((col, row), 0.0)
                if ib(col, row) != 0 and v > 0.0:
                    x, yy = centre(col, row)
                    recs.append(free(x, yy, v, row, col, (row - 1) * ncol + col))

    r.console('..writing plot files')
    plot('pumpgrid%s.dat' % chyear, pump)
    plot('gwretgrid%s.dat' % chyear, gwret)
    plot('acresgrid%s.dat' % chyear, acres)

    # Monthly arrays.
    check = r.file('check%s.out' % chyear)

    def array_file(name, rows):
        """Write the rows (each a function giving its values) one by one."""
        recs = r.file(name)
        wide = 0
        for values_of_row in rows:
            values = values_of_row()
            recs.extend(f61_records(values))
            wide += sum(1 for v in values if fixed_real(v, 6, 1) == '******')
        if wide:
            r.stderr.append("Warning: %d value(s) too wide for F6.1 written as ****** in 'out/%s'"
                            % (wide, name))

    def monthly(name, grid, m):
        """Write one monthly array of grid; returns the month's sum."""
        total = [0.0]

        def row_values(row):
            values = []
            for col in range(1, ncol + 1):
                w = 0.0
                v = grid.get((col, row), 0.0)
                if v > 0.0:
                    c = y.icty[row - 1][col - 1]
                    c = 1 if c == 0 else c
                    if c < 1:
                        raise RunError('At line 0 of file tessadrov11',
                                       "Index '%d' of dimension 1 of array 'xmonfactors' below lower bound of 1" % c)
                    if c > 44:
                        raise RunError('At line 0 of file tessadrov11',
                                       "Index '%d' of dimension 1 of array 'xmonfactors' above upper bound of 44" % c)
                    w = f32(v * factors[c - 1][m - 5])
                    total[0] = f32(total[0] + w)
                values.append(w)
            return values

        array_file(name, [lambda row=row: row_values(row) for row in range(1, nrow + 1)])
        return total[0]

    r.console('..writing pmp, rcg, and agw files')
    season_pump = season_rch = 0.0
    for m in range(5, 11):
        pname = '%s.%02d.pmp' % (chyear, m)
        check.append(free(pname))
        psum = monthly(pname, pump, m)
        rname = '%s.%02d.rcg' % (chyear, m)
        check.append(free(rname))
        rsum = monthly(rname, gwret, m)
        check.append(free(m, psum, rsum))
        season_pump = f32(season_pump + psum)
        season_rch = f32(season_rch + rsum)
    array_file('%s.agw' % chyear, [lambda row=row: [acres.get((col, row), 0.0) for col in range(1, ncol + 1)]
                                    for row in range(1, nrow + 1)])
    acres_total = 0.0
    for row in range(1, nrow + 1):
        for col in range(1, ncol + 1):
            acres_total = f32(acres_total + acres.get((col, row), 0.0))
    check += [free('pumping'), free(season_pump), free('gw returns'), free(season_rch),
              free('gw acres'), free(acres_total)]

    # Municipal and industrial pumping.
    r.console('..reading m&i file')
    mifile = '%smi.txt' % chyear
    if y.mi is None:
        r.stderr.append("Warning: file '%s' does not exist; read as an empty file" % mifile)
    count = 0
    offgrid = 0.0
    pumpmi = {}
    for n, rec in enumerate(y.mi or [], 1):
        if isinstance(rec, Truncated):
            break
        if isinstance(rec, Malformed):
            raise RunError("At line %d of file tessadrov11 (unit = 13, file = '%s')" % (n, mifile),
                           rec.message())
        id1, id2 = rec[0], rec[1]
        x, yy, amount = f32(rec[2]), f32(rec[3]), f32(rec[7])
        count += 1
        col, row = locate(x, yy)
        if not (1 <= col <= ncol and 1 <= row <= nrow):
            nmsg += 1
            offgrid = f32(offgrid + amount)
            report.append(free(nmsg, row, col, id1, id2, amount, offgrid, ' miloc'))
        elif ib(col, row) == 0:
            nmsg += 1
            report.append(free(nmsg, col, row, ' miloc'))
        elif amount > 0.0:
            pumpmi[(col, row)] = f32(pumpmi.get((col, row), 0.0) + amount)
    r.console(count, ' m&i recs read')
    r.console('..write mi plot file')
    plot('%smigrid.dat' % chyear, pumpmi)
    array_file('%s.mi' % chyear, [lambda row=row: [pumpmi.get((col, row), 0.0) for col in range(1, ncol + 1)]
                                   for row in range(1, nrow + 1)])
    mi_total = 0.0
    for row in range(1, nrow + 1):
        for col in range(1, ncol + 1):
            mi_total = f32(mi_total + pumpmi.get((col, row), 0.0))
    check += [free('m&i pumping'), free(mi_total)]


def write_expected(folder, result):
    """Write expected/ of a dataset: stdout, stderr, status and out/."""
    expected = os.path.join(folder, 'expected')
    if os.path.isdir(expected):
        shutil.rmtree(expected)
    os.makedirs(expected)
    with open(os.path.join(expected, 'stdout'), 'w', newline='\n') as out:
        out.write(''.join(line + '\n' for line in result.stdout))
    with open(os.path.join(expected, 'stderr'), 'w', newline='\n') as out:
        out.write(''.join(line + '\n' for line in result.stderr))
    with open(os.path.join(expected, 'status'), 'w', newline='\n') as out:
        out.write('%d\n' % result.status)
    if result.files:
        os.makedirs(os.path.join(expected, 'out'))
        for name, records in result.files.items():
            with open(os.path.join(expected, 'out', name), 'w', newline='') as out:
                out.write(''.join(rec + '\r\n' for rec in records))
