"""Small fonts for seed corpora, made here: a TrueType font, the same as a
collection, and a Type 1 font in clear text (PFA) and binary (PFB) form.
No font file is kept in the repository; the installed ones are used as well."""
import struct

def _u16(v):
    return struct.pack('>H', v & 0xFFFF)

def _u32(v):
    return struct.pack('>I', v & 0xFFFFFFFF)

# Glyphs: (advance, contours of (x, y, on-curve)); 0 is the missing glyph.
GLYPHS = [
    (500, [[(50, 0, 1), (50, 700, 1), (450, 700, 1), (450, 0, 1)]]),
    (700, [[(100, 0, 1), (100, 600, 1), (600, 600, 1), (600, 0, 1)],
           [(200, 100, 1), (500, 100, 1), (500, 500, 1), (200, 500, 1)]]),
    (1000, [[(500, 900, 0), (900, 500, 0), (500, 100, 0), (100, 500, 0)]]),
    (800, [[(100, 700, 0), (400, 700, 1), (400, 100, 1), (100, 100, 1)]]),
    (300, []),
]
CODES = {ord(' '): 4, ord('A'): 1, ord('B'): 2, ord('C'): 3, ord('-'): 1}
NAMES = {1: 'Seed Sans', 2: 'Bold Italic', 4: 'Seed Sans Bold Italic'}

def _tables():
    glyf, loca, hmtx = b'', b'', b''
    max_points = max_contours = 0
    for advance, contours in GLYPHS:
        loca += _u16(len(glyf) // 2)
        hmtx += _u16(advance) + _u16(0)
        if not contours:
            continue
        flags, xs, ys = b'', b'', b''
        px = py = points = 0
        glyf += _u16(len(contours)) + _u16(0) * 4
        for contour in contours:
            points += len(contour)
            glyf += _u16(points - 1)
            for x, y, on in contour:
                flags += bytes([on])
                xs += _u16(x - px)
                ys += _u16(y - py)
                px, py = x, y
        glyf += _u16(0) + flags + xs + ys
        if len(glyf) % 2:
            glyf += b'\0'
        max_points = max(max_points, points)
        max_contours = max(max_contours, len(contours))
    loca += _u16(len(glyf) // 2)
    count = len(GLYPHS)
    head = _u32(0x10000) + _u32(0x10000) + _u32(0) + _u32(0x5F0F3CF5) + _u16(0x000B) + _u16(1000)
    head += b'\0' * 16 + b''.join(_u16(v) for v in (0, -200, 1000, 800, 0, 8, 2, 0, 0))
    hhea = _u32(0x10000) + b''.join(_u16(v) for v in (800, -200, 0, 1000, 0, 0, 1000, 1, 0, 0, 0, 0, 0, 0, 0, count))
    maxp = _u32(0x10000) + b''.join(_u16(v) for v in (count, max_points, max_contours, 0, 0, 2) + (0,) * 8)
    codes = sorted(CODES.items())
    segments = len(codes) + 1
    cmap = _u16(0) + _u16(1) + _u16(3) + _u16(1) + _u32(12) + _u16(4) + _u16(16 + 8 * segments)
    cmap += b''.join(_u16(v) for v in (0, 2 * segments, 2, 0, 2 * segments - 2))
    cmap += b''.join(_u16(c) for c, _ in codes) + _u16(0xFFFF) + _u16(0)
    cmap += b''.join(_u16(c) for c, _ in codes) + _u16(0xFFFF)
    cmap += b''.join(_u16(g - c) for c, g in codes) + _u16(1) + _u16(0) * segments
    strings = b''
    records = b''
    for name_id, text in sorted(NAMES.items()):
        records += b''.join(_u16(v) for v in (1, 0, 0, name_id, len(text), len(strings)))
        strings += text.encode('ascii')
    name = _u16(0) + _u16(len(NAMES)) + _u16(6 + 12 * len(NAMES)) + records + strings
    post = _u32(0x30000) + _u32(0) + _u32(0) + _u32(0) + b'\0' * 16
    return [(b'cmap', cmap), (b'glyf', glyf), (b'head', head), (b'hhea', hhea), (b'hmtx', hmtx),
            (b'loca', loca), (b'maxp', maxp), (b'name', name), (b'post', post)]

def truetype(base=0):
    """The font; `base` is where it starts in its file (for a collection)."""
    tables = _tables()
    font = _u32(0x10000) + b''.join(_u16(v) for v in (len(tables), 128, 3, 16))
    data = b''
    start = base + 12 + 16 * len(tables)
    for tag, body in tables:
        font += tag + _u32(0) + _u32(start + len(data)) + _u32(len(body))
        data += body + b'\0' * ((4 - len(body) % 4) % 4)
    return font + data

def collection():
    return b'ttcf' + _u32(0x10000) + _u32(1) + _u32(16) + truetype(16)

def _charstring(ops):
    out = b''
    for op in ops:
        if isinstance(op, str):
            out += bytes([{'rlineto': 5, 'rrcurveto': 8, 'closepath': 9, 'hsbw': 13, 'endchar': 14,
                           'rmoveto': 21}[op]])
        elif -107 <= op <= 107:
            out += bytes([op + 139])
        elif 108 <= op <= 1131:
            out += bytes([((op - 108) >> 8) + 247, (op - 108) & 0xFF])
        elif -1131 <= op <= -108:
            out += bytes([((-op - 108) >> 8) + 251, (-op - 108) & 0xFF])
        else:
            out += b'\xff' + _u32(op)
    return out

def _encrypt(plain, r):
    out = bytearray()
    for byte in b'xxxx' + plain:
        cipher = byte ^ (r >> 8)
        r = ((cipher + r) * 52845 + 22719) & 0xFFFF
        out.append(cipher)
    return bytes(out)

def _box(left, bottom, right, top, advance):
    return _charstring([0, advance, 'hsbw', left, bottom, 'rmoveto', right - left, 0, 'rlineto',
                        0, top - bottom, 'rlineto', left - right, 0, 'rlineto', 'closepath', 'endchar'])

TYPE1_GLYPHS = {
    '.notdef': _charstring([0, 500, 'hsbw', 'endchar']),
    'A': _box(50, 0, 450, 700, 500),
    'B': _charstring([0, 800, 'hsbw', 100, 100, 'rmoveto', 0, 600, 600, 0, 0, -600, 'rrcurveto',
                      'closepath', 'endchar']),
    'minus': _box(50, 300, 550, 360, 600),
    'space': _charstring([0, 250, 'hsbw', 'endchar']),
}

def _type1_parts(own_encoding):
    clear = ('%!PS-AdobeFont-1.0: SeedOne 001.000\n11 dict begin\n/FontInfo 8 dict dup begin\n'
             '/FullName (Seed One Bold) readonly def\n/FamilyName (Seed-One) readonly def\n'
             '/Weight (Bold) readonly def\n/ItalicAngle 0 def\n/isFixedPitch false def\nend readonly def\n'
             '/FontName /SeedOne def\n/PaintType 0 def\n/FontType 1 def\n'
             '/FontMatrix [0.001 0 0 0.001 0 0] readonly def\n/FontBBox {0 -200 1000 800} readonly def\n')
    if own_encoding:
        clear += '/Encoding 256 array\n0 1 255 {1 index exch /.notdef put} for\n'
        clear += 'dup 65 /A put\ndup 66 /B put\ndup 45 /minus put\ndup 32 /space put\nreadonly def\n'
    else:
        clear += '/Encoding StandardEncoding def\n'
    clear += 'currentdict end\ncurrentfile eexec\n'
    secret = ('dup /Private 8 dict dup begin\n/RD{string currentfile exch readstring pop}executeonly def\n'
              '/ND{noaccess def}executeonly def\n/NP{noaccess put}executeonly def\n/BlueValues [] def\n'
              '/MinFeature{16 16}def\n/password 5839 def\n2 index /CharStrings %d dict dup begin\n'
              % len(TYPE1_GLYPHS)).encode('ascii')
    for name, charstring in sorted(TYPE1_GLYPHS.items()):
        encrypted = _encrypt(charstring, 4330)
        secret += b'/%s %d RD ' % (name.encode('ascii'), len(encrypted)) + encrypted + b' ND\n'
    secret += (b'end\nend\nreadonly put\nnoaccess put\ndup/FontName get exch definefont pop\n'
               b'mark currentfile closefile\n')
    trailer = ('0' * 64 + '\n') * 8 + 'cleartomark\n'
    return clear.encode('ascii'), _encrypt(secret, 55665), trailer.encode('ascii')

def type1_pfa(own_encoding=False):
    clear, secret, trailer = _type1_parts(own_encoding)
    hexed = secret.hex()
    lines = '\n'.join(hexed[i:i + 64] for i in range(0, len(hexed), 64))
    return clear + lines.encode('ascii') + b'\n' + trailer

def type1_pfb(own_encoding=False):
    out = b''
    for kind, part in zip((1, 2, 1), _type1_parts(own_encoding)):
        out += bytes([0x80, kind]) + struct.pack('<I', len(part)) + part
    return out + b'\x80\x03'

def installed(path, limit=65536):
    """An installed font file's bytes, when it exists and is small enough."""
    try:
        with open(path, 'rb') as f:
            data = f.read(limit + 1)
    except OSError:
        return None
    return data if len(data) <= limit else None

def write(folder, name, data):
    with open('%s/%s' % (folder, name), 'wb') as f:
        f.write(data)
