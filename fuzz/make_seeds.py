"""Writes the small seed corpora of the fuzz targets into corpus/<target>/
from hand-picked records and from whole-run datasets of tests/data. Run it
from anywhere: python3 make_seeds.py"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, '..', 'tests', 'data')
FILES = ['static/tessadro.par', 'static/02.ibound', 'static/cty.flg',
         'static/monthlyfactorsbycounty.txt', 'static/queltapdivs.txt', 'static/40coords.dat',
         'work/authacres2010.txt', 'work/tessadro2010.txt', 'work/2010mi.txt']


def write_corpus(target, seeds):
    folder = os.path.join(HERE, 'corpus', target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for n, seed in enumerate(seeds, 1):
        with open(os.path.join(folder, 'seed%02d' % n), 'wb') as f:
            f.write(seed)


def read(path):
    with open(path, 'rb') as f:
        return f.read()


# Free-form: the first byte chooses the four targets (2 bits each: integer,
# real, text of 2, text of 12).
free_form = [
    bytes([0b00000000]) + b'5\n7 9\n11\n',
    bytes([0b01010101]) + b'1.5,,3\n1.5 /\n3*2.5\n2* 7\n1.5D2 -2.5e-1 3+2 INF nan\n1e39 1e-45\n',
    bytes([0b10110100]) + b"12 1201 'AB' 300.0\n12 1202 \"it''s\" 1\n7 8 'open\n",
    bytes([0b01100000]) + read(os.path.join(DATA, 'groups_basic_year', 'work', 'tessadro2010.txt')),
    bytes([0b00010000]) + b'grp,twnshp,range\r\n7,1,1,1,1,40.0\r\n0*5 99999999999*1 2147483648\n',
]
write_corpus('free_form', free_form)

# Fixed fields: the low 2 bits of the first byte choose the format
# ((326i2), (G32.0), (2i6,2f12.0), (i2,f6.0,i6)), the rest the target count.
fixed_field = [
    bytes([0 | (3 << 2)]) + b' 1 1 0-1\n 1 1\n',
    bytes([1]) + b'0.7187758 \n',
    bytes([1]) + b'  1 e - 4 5\n7\n',
    bytes([2 | (7 << 2)]) + b'     1     2      10500.      22500.\n',
    bytes([3 | (5 << 2)]) + b' 5  12.5   100,7,\n',
]
write_corpus('fixed_field', fixed_field)

# 4-byte values, some with a field width and number of decimals.
values = [0.1, 1.0, -0.0, 123.456, 1.0e9, 0.05, 9999.95, -999.95, 16777217.0, 3.4028234e38, 1.17549435e-38]
real_round_trip = [struct.pack('<f', v) for v in values]
real_round_trip += [struct.pack('<I', bits) for bits in (1, 0x7f800000, 0xff800000, 0x7fc00000, 0x007fffff)]
real_round_trip += [struct.pack('<fBB', 12.25, 6, 1), struct.pack('<fBB', 0.0005, 5, 3)]
write_corpus('real_round_trip', real_round_trip)


# Whole runs: the files of a dataset joined by NUL bytes, then the factor.
def whole(name):
    folder = os.path.join(DATA, name)
    parts = []
    for f in FILES:
        path = os.path.join(folder, f)
        parts.append(read(path) if os.path.exists(path) else b'')
    with open(os.path.join(folder, 'args'), 'rb') as f:
        factor = f.read().split(b'\n')[1]
    return b'\0'.join(parts + [factor])


# Every dataset of the year 2010 that the run completes: the record-by-record
# mutations start from whole runs.
def completes(name):
    folder = os.path.join(DATA, name)
    try:
        args = read(os.path.join(folder, 'args')).split(b'\n')
        status = read(os.path.join(folder, 'expected', 'status')).strip()
    except OSError:
        return False
    return len(args) > 2 and args[0] == b'2010' and args[2] == b'' and status == b'0'


write_corpus('whole_run', [whole(n) for n in sorted(os.listdir(DATA)) if completes(n)])


# Year report: any bytes make a small year (small_year.hpp); a few fixed ones,
# from all-zero (the smallest values of every choice) to mixed bytes of a
# fixed-seed generator, which give grids of several cells with records.
def fixed_bytes(seed, count):
    state = seed
    out = bytearray()
    for _ in range(count):
        state = (state * 1103515245 + 12345) % 2**31
        out.append(state >> 16 & 0xff)
    return bytes(out)


write_corpus('year_report', [bytes(64), b'\xff' * 64] + [fixed_bytes(s, 400) for s in (1, 2, 3, 4)])
