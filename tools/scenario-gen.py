#!/usr/bin/env python3
# Builds the bundled scenario files (data/scenarios/*.snr, code page 932) from the reviewable
# tables under data/scenarios/src/, checking the data on the way.
"""Usage: scenario-gen.py [--mapgen PATH] [--check] [SCENARIO ...]

Each scenario NAME has a directory data/scenarios/src/NAME/ with
  scenario.txt   the file's frame in scenario syntax (UTF-8): settings, Opening, the weather,
                 trade and gun sections, and the placeholders @DAIMYOU, @SHIRO, @SHIROCONNECT,
                 @BUSHOU, @DOUMEI and @KUNIAREA [province ...] where the tables go;
  houses.tsv, castles.tsv, routes.tsv, generals.tsv, relations.tsv.
A scenario may borrow from the main tables (src/1560): a castle line of only "id owner" takes
the rest of the castle from there, a general line of only "name appear house rank place" takes
his abilities and years from there.

Castle positions are longitude and latitude; `mapgen project` turns them into map pixels, and
`mapgen kuniarea` gives the province view areas of data/default.map (or --kuniarea FILE).
Without --check the .snr files are written; with it they are only compared with what is there.
"""

import argparse
import math
import os
import re
import subprocess
import sys
import tempfile
from collections import OrderedDict

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
SRC = os.path.join(ROOT, 'data', 'scenarios', 'src')
OUT = os.path.join(ROOT, 'data', 'scenarios')
MAIN = '1560'

HEI_UNIT = 10
START_YEAR_KEY = 'StartYear'
CAV_LIMIT = 2000 // HEI_UNIT
FOOT_LIMIT = 5000 // HEI_UNIT
MEN_PER_KOKU = 0.04        # 400 men for every 10,000 koku: a full levy of the period
CAVALRY_SHARE = 0.2
FALLEN_LIFESPAN = 60       # a man cut down early may live to this age in the game
PERSON_AGE = 12            # nobody takes the field younger
MAX_ROUTES = 7
MAX_AT_CASTLE = 20


class DataError(Exception):
    pass


def cp932_len(text):
    try:
        return len(text.encode('cp932'))
    except UnicodeEncodeError as e:
        raise DataError(f'{text}: {text[e.start]} has no code page 932 form') from None


def read_rows(path, widths):
    """Rows of a blank-separated table; '#' starts a comment. Lines starting '# ---' are kept
    as group headings (returned as ('#', text)). widths: the accepted field counts."""
    rows = []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if line.startswith('# ---'):
                rows.append(('#', line[5:].strip(), number))
                continue
            fields = line.split('#', 1)[0].split()
            if not fields:
                continue
            if len(fields) not in widths:
                raise DataError(f'{path}:{number}: {len(fields)} fields, expected {widths}')
            rows.append((fields, line, number))
    return rows


def load_provinces():
    names, regions = [], []
    with open(os.path.join(ROOT, 'tools', 'mapgen', 'provinces.txt'), encoding='utf-8') as f:
        for line in f:
            if line.startswith('#') or not line.strip():
                continue
            parts = line.rstrip('\n').split('\t')
            names.append(parts[1])
            regions.append(parts[2])
    return names, regions


class Projector:
    def __init__(self, mapgen):
        self.mapgen = mapgen
        self.cache = {}

    def __call__(self, lon, lat):
        key = (lon, lat)
        if key not in self.cache:
            out = subprocess.run([self.mapgen, 'project', lon, lat], check=True, capture_output=True,
                                 text=True).stdout.split()
            self.cache[key] = (int(out[0]), int(out[1]))
        return self.cache[key]


# ---------------------------------------------------------------------------------------------
# Tables


def load_houses(path):
    houses = OrderedDict()
    for fields, _, number in read_rows(path, (8,)):
        if fields == '#':
            continue
        hid, name, kind, nav, mining, funds, guns, gunshare = fields
        if hid in houses:
            raise DataError(f'{path}:{number}: house {hid} twice')
        if cp932_len(hid) > 25 or cp932_len(name) > 20:
            raise DataError(f'{path}:{number}: id or name too long')
        if kind not in ('NORMAL', 'AINU', 'RYUUKYUU'):
            raise DataError(f'{path}:{number}: kind {kind}')
        if not 0 <= int(mining) <= 500 or not 0 <= int(guns) <= 100:
            raise DataError(f'{path}:{number}: mining or gun collection out of range')
        houses[hid] = dict(id=hid, name=name, kind=kind, nav=int(nav), mining=int(mining),
                           funds=int(funds), guns=int(guns), gunshare=float(gunshare))
    return houses


CASTLE_FIELDS = ('id name prov lon lat size kmax koku tmax town mmax mine port ships war sup pic '
                 'owner').split()


def castle_from_fields(fields):
    c = dict(zip(CASTLE_FIELDS, fields))
    kmax, tmax, mmax = int(c['kmax']), int(c['tmax']), int(c['mmax'])
    c['kmax'], c['tmax'], c['mmax'] = kmax, tmax, mmax
    c['koku'] = int(round(kmax * 0.8 / 100) * 100) if c['koku'] == '-' else int(c['koku'])
    c['town'] = tmax // 2 if c['town'] == '-' else int(c['town'])
    c['mine'] = mmax // 2 if c['mine'] == '-' else int(c['mine'])
    c['ships'] = 0 if c['ships'] == '-' else int(c['ships'])
    c['war'] = 0 if c['war'] == '-' else int(c['war'])
    c['sup'] = 55 if c['sup'] == '-' else int(c['sup'])
    c['pic'] = 'NORMAL' if c['pic'] == '-' else c['pic']
    c['size'] = int(c['size'])
    return c


def load_castles(path, master=None):
    castles = OrderedDict()
    heading = None
    for fields, _, number in read_rows(path, (2, len(CASTLE_FIELDS))):
        if fields == '#':
            heading = _
            continue
        if len(fields) == 2:
            if master is None or fields[0] not in master:
                raise DataError(f'{path}:{number}: castle {fields[0]} is not in the main tables')
            c = dict(master[fields[0]])
            c['owner'] = fields[1]
        else:
            c = castle_from_fields(fields)
        c['heading'], heading = heading, None
        if c['id'] in castles:
            raise DataError(f'{path}:{number}: castle {c["id"]} twice')
        castles[c['id']] = c
    return castles


def load_routes(path, castles):
    routes = OrderedDict((cid, []) for cid in castles)
    for fields, _, number in read_rows(path, (2,)):
        if fields == '#':
            continue
        a, b = fields
        for cid in (a, b):
            if cid not in castles:
                raise DataError(f'{path}:{number}: unknown castle {cid}')
        if a == b or b in routes[a]:
            raise DataError(f'{path}:{number}: route {a} {b} repeated or to itself')
        routes[a].append(b)
        routes[b].append(a)
    return routes


GENERAL_FIELDS = 'name val pol int loy amb cav foot guns born died how appear house rank place'.split()


def load_generals(path, master=None):
    generals = []
    seen = set()
    for fields, _, number in read_rows(path, (5, len(GENERAL_FIELDS))):
        if fields == '#':
            generals.append(dict(heading=_))
            continue
        if len(fields) == 5:
            name, appear, house, rank, place = fields
            if master is None or name not in master:
                raise DataError(f'{path}:{number}: general {name} is not in the main tables')
            g = dict(master[name])
            g.update(appear=int(appear), house=house, rank=int(rank), place=place)
        else:
            g = dict(zip(GENERAL_FIELDS, fields))
            for key in ('val', 'pol', 'int', 'loy', 'amb', 'died', 'appear', 'rank'):
                g[key] = int(g[key])
            g['uncertain'] = g['born'].endswith('?')
            g['born'] = int(g['born'].rstrip('?'))
        g['line'] = f'{path}:{number}'
        if g['name'] in seen:
            raise DataError(f'{g["line"]}: general {g["name"]} twice')
        seen.add(g['name'])
        generals.append(g)
    return generals


def load_relations(path):
    return [fields for fields, _, _ in read_rows(path, (3,)) if fields != '#']


# ---------------------------------------------------------------------------------------------
# Checks and derived values


def house_of(general):
    return general['house'].strip('()')


def check_scenario(houses, castles, routes, generals, relations, provinces, start_year):
    problems = []
    for c in castles.values():
        if cp932_len(c['id']) > 25 or cp932_len(c['name']) > 20:
            problems.append(f'castle {c["id"]}: id or name too long')
        if c['prov'] not in provinces:
            problems.append(f'castle {c["id"]}: no province {c["prov"]} on the map')
        elif provinces.index(c['prov']) > 127:
            problems.append(f'castle {c["id"]}: province index above 127')
        if not 1 <= c['size'] <= 10:
            problems.append(f'castle {c["id"]}: size {c["size"]}')
        if not (0 <= c['koku'] <= c['kmax'] and 0 <= c['town'] <= c['tmax'] and 0 <= c['mine'] <= c['mmax']):
            problems.append(f'castle {c["id"]}: a value above its ceiling')
        if c['port'] not in ('YES', 'NO') or not 0 <= c['ships'] <= 100 or not 0 <= c['war'] <= 100:
            problems.append(f'castle {c["id"]}: port or ships')
        if c['port'] == 'NO' and (c['ships'] or c['war']):
            problems.append(f'castle {c["id"]}: ships without a port')
        if not 0 <= c['sup'] <= 100:
            problems.append(f'castle {c["id"]}: support {c["sup"]}')
        if c['pic'] not in ('NORMAL', 'RYUUKYUU', 'CHINA', 'EUROPE', 'GENDAI'):
            problems.append(f'castle {c["id"]}: picture {c["pic"]}')
        if c['owner'] not in houses:
            problems.append(f'castle {c["id"]}: unknown owner {c["owner"]}')
        if len(routes[c['id']]) == 0 or len(routes[c['id']]) > MAX_ROUTES:
            problems.append(f'castle {c["id"]}: {len(routes[c["id"]])} routes')
    problems += connectivity_problems(routes)

    owned = {h: [c for c in castles.values() if c['owner'] == h] for h in houses}
    present_at = {}
    heads = set()
    for g in generals:
        if 'name' not in g:
            continue
        where = g['line']
        if cp932_len(g['name']) > 20:
            problems.append(f'{where}: name too long')
        for key in ('val', 'pol', 'int', 'loy', 'amb'):
            if not 0 <= g[key] <= 10:
                problems.append(f'{where}: {key} {g[key]} outside 0..10')
        if g['how'] not in ('n', 'k'):
            problems.append(f'{where}: cause of death {g["how"]}')
        if g['died'] < g['born']:
            problems.append(f'{where}: dies before he is born')
        comes = g['appear'] or start_year
        if g['born'] > comes - PERSON_AGE:
            problems.append(f'{where}: {g["name"]} is younger than {PERSON_AGE} in {comes}')
        if g['appear'] and g['appear'] <= start_year:
            problems.append(f'{where}: appears no later than the start year')
        if g['died'] < comes:
            problems.append(f'{where}: {g["name"]} dies before he appears')
        house = house_of(g)
        if house != 'D_FREE' and house not in houses:
            problems.append(f'{where}: unknown house {house}')
            continue
        if g['place'] in castles:
            if g['appear'] == 0:
                if castles[g['place']]['owner'] != house:
                    problems.append(f'{where}: {g["name"]} stands in a castle of another house')
                present_at[g['place']] = present_at.get(g['place'], 0) + 1
        elif g['place'] not in provinces:
            problems.append(f'{where}: unknown place {g["place"]}')
        elif g['appear'] == 0:
            problems.append(f'{where}: generals present at the start stand in a castle')
        if g['appear'] == 0 and g['rank'] == 0 and house != 'D_FREE':
            heads.add(house)
    for cid, count in present_at.items():
        if count > MAX_AT_CASTLE:
            problems.append(f'castle {cid}: {count} generals at the start (at most {MAX_AT_CASTLE})')
    for h in houses:
        if h not in heads:
            problems.append(f'house {h}: no general of rank 0 present at the start')
        if not owned[h]:
            problems.append(f'house {h}: no castle')
    names = set(houses)
    for a, kind, b in relations:
        if a not in names or (b not in names and b != 'D_ALL'):
            problems.append(f'relation {a} {kind} {b}: unknown house')
        if kind not in ('FUSEN', 'JUUZOKU', 'SHINJUU', 'SHUKUTEKI', 'NOTHING'):
            problems.append(f'relation {a} {kind} {b}: unknown kind')
    if problems:
        raise DataError('\n'.join(problems))


def connectivity_problems(routes):
    ids = list(routes)
    if not ids:
        return ['no castles']
    seen = {ids[0]}
    stack = [ids[0]]
    while stack:
        for n in routes[stack.pop()]:
            if n not in seen:
                seen.add(n)
                stack.append(n)
    cut = [c for c in ids if c not in seen]
    return [f'castles not reachable from {ids[0]}: {" ".join(cut)}'] if cut else []


def life_end(g):
    """The year around which illness takes him. A man who died by the sword keeps the years a
    quiet life would have given him, so the game does not kill him on the historical date."""
    if g['how'] == 'k':
        return max(g['died'], g['born'] + FALLEN_LIFESPAN)
    return g['died']


def share_troops(houses, castles, generals):
    """Troops of every general whose table leaves them open ("-"): the house's levy (by the
    koku of its castles) is shared among its generals present at the start by valor, the head
    counting half again; generals who come later bring a retinue that grows with valor."""
    force = {h: sum(c['koku'] for c in castles.values() if c['owner'] == h) * MEN_PER_KOKU / HEI_UNIT
             for h in houses}
    weights = {h: 0.0 for h in houses}
    fixed = {h: 0 for h in houses}

    def weight(g):
        return (g['val'] + 2) * (1.5 if g['rank'] == 0 else 1.0)

    present = [g for g in generals if 'name' in g and g['appear'] == 0 and house_of(g) in houses]
    for g in present:
        if g['cav'] == '-':
            weights[house_of(g)] += weight(g)
        else:
            fixed[house_of(g)] += int(g['cav']) + int(g['foot'])
    for g in generals:
        if 'name' not in g:
            continue
        house = houses.get(house_of(g))
        if g['cav'] != '-':
            g['troops'] = (int(g['cav']), int(g['foot']), int(g['guns']))
        elif g['appear'] == 0 and house is not None:
            h = house['id']
            units = max(0.0, force[h] - fixed[h]) * weight(g) / weights[h] if weights[h] else 0
            foot = min(FOOT_LIMIT, int(round(units * (1 - CAVALRY_SHARE))))
            g['troops'] = (min(CAV_LIMIT, int(round(units * CAVALRY_SHARE))), foot,
                           int(round(foot * house['gunshare'])))
        else:
            foot = g['val'] * 8
            share = house['gunshare'] if house is not None else 0
            g['troops'] = (g['val'] * 2, foot, int(round(foot * share)))
        cav, foot, guns = g['troops']
        if not (0 <= cav <= CAV_LIMIT and 0 <= foot <= FOOT_LIMIT and 0 <= guns <= min(FOOT_LIMIT, foot)):
            raise DataError(f'{g["line"]}: troops {g["troops"]} outside the limits')


# ---------------------------------------------------------------------------------------------
# Writing


def kuni_area_lines(path, only):
    """The KuniArea lines the map tool wrote (code page 932), optionally for some provinces."""
    with open(path, 'rb') as f:
        text = f.read().decode('cp932')
    lines = []
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith('KuniArea') or line == '}':
            continue
        if only and line.split(',')[0].strip() not in only:
            continue
        lines.append(line)
    return lines


def section_lines(name, houses, castles, routes, generals, relations, project, kuniarea, args):
    if name == '@DAIMYOU':
        return [', '.join([h['id'], h['name'], h['kind'], str(h['nav']), str(h['mining']), str(h['funds']),
                           str(h['guns'])]) for h in houses.values()]
    if name == '@SHIRO':
        out = []
        for c in castles.values():
            if c.get('heading'):
                out.append('// ' + c['heading'])
            x, y = project(c['lon'], c['lat'])
            if not (0 <= x <= 559 and 0 <= y <= 439):
                raise DataError(f'castle {c["id"]}: projected outside the map ({x}, {y})')
            out.append(', '.join(str(v) for v in (
                c['id'], c['name'], c['prov'], c['size'], x, y, c['kmax'], c['koku'], c['tmax'], c['town'],
                c['mmax'], c['mine'], c['port'], c['ships'], c['war'], c['sup'], c['pic'], c['owner'])))
        return out
    if name == '@SHIROCONNECT':
        return [', '.join([cid] + n) for cid, n in routes.items()]
    if name == '@BUSHOU':
        out = []
        for g in generals:
            if 'name' not in g:
                out.append('// ' + g['heading'])
                continue
            cav, foot, guns = g['troops']
            born = f'{g["born"]}?' if g['uncertain'] else str(g['born'])
            out.append(', '.join(str(v) for v in (
                g['name'], g['val'], g['pol'], g['int'], g['loy'], g['amb'], cav, foot, guns, born, life_end(g),
                g['appear'], g['house'], g['rank'], g['place'])))
        return out
    if name == '@DOUMEI':
        return [', '.join(r) for r in relations]
    if name == '@KUNIAREA':
        return kuni_area_lines(kuniarea, set(args))
    raise DataError(f'unknown placeholder {name}')


def build(name, project, provinces, kuniarea):
    here = os.path.join(SRC, name)
    master_castles = load_castles(os.path.join(SRC, MAIN, 'castles.tsv')) if name != MAIN else None
    master_generals = None
    if name != MAIN:
        master_generals = {g['name']: g for g in load_generals(os.path.join(SRC, MAIN, 'generals.tsv'))
                           if 'name' in g}
    houses = load_houses(os.path.join(here, 'houses.tsv'))
    castles = load_castles(os.path.join(here, 'castles.tsv'), master_castles)
    routes = load_routes(os.path.join(here, 'routes.tsv'), castles)
    generals = load_generals(os.path.join(here, 'generals.tsv'), master_generals)
    relations = load_relations(os.path.join(here, 'relations.tsv'))
    with open(os.path.join(here, 'scenario.txt'), encoding='utf-8') as f:
        frame = f.read().splitlines()
    start = [line for line in frame if line.startswith(START_YEAR_KEY)]
    start_year = int(start[0].split()[1]) if start else 1550

    check_scenario(houses, castles, routes, generals, relations, provinces, start_year)
    share_troops(houses, castles, generals)

    out = []
    for line in frame:
        if line.startswith('@'):
            words = line.split()
            out += section_lines(words[0], houses, castles, routes, generals, relations, project, kuniarea,
                                 words[1:])
        else:
            out.append(line)
    text = '\n'.join(out) + '\n'
    present = [g for g in generals if 'name' in g]
    summary = (f'{name}: houses={len(houses)} castles={len(castles)} generals={len(present)} '
               f'(waiting {sum(1 for g in present if g["appear"])}) relations={len(relations)}')
    return text.encode('cp932'), summary


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument('--mapgen', default=os.path.join(ROOT, 'build', 'tools', 'mapgen', 'mapgen'))
    parser.add_argument('--kuniarea', help='a KuniArea section written by mapgen (code page 932); '
                        'by default it is taken from data/default.map')
    parser.add_argument('--check', action='store_true', help='compare with the committed files only')
    parser.add_argument('scenarios', nargs='*', default=[MAIN, 'owari'])
    args = parser.parse_args()

    provinces, _ = load_provinces()
    project = Projector(args.mapgen)
    kuniarea = args.kuniarea
    if kuniarea is None:
        kuniarea = os.path.join(tempfile.mkdtemp(prefix='scenario-gen-'), 'kuniarea.txt')
        subprocess.run([args.mapgen, 'kuniarea', os.path.join(ROOT, 'data', 'default.map'), kuniarea], check=True)
    status = 0
    for name in args.scenarios:
        try:
            data, summary = build(name, project, provinces, kuniarea)
        except DataError as e:
            print(f'{name}: {e}', file=sys.stderr)
            status = 1
            continue
        path = os.path.join(OUT, f'{name}.snr')
        if args.check:
            with open(path, 'rb') as f:
                same = f.read() == data
            print(f'{summary} {"same" if same else "DIFFERS"}')
            status |= 0 if same else 1
        else:
            with open(path, 'wb') as f:
                f.write(data)
            print(summary)
    return status


if __name__ == '__main__':
    sys.exit(main())
