#!/usr/bin/env python3
"""Writes a history file of twenty minutes ending now, for the pictures in
docs/: PV near 50 under SV 50, the output swinging slowly, and 30 seconds
without samples about four minutes back, as an instrument that stopped
answering for a while leaves it. Usage: make-history.py FILE"""
import datetime
import math
import random
import sqlite3
import sys

SCHEMA = """
create table pv_data (w_id integer primary key, w_date real not null, w_time real not null,
  pv real, op real, sv real, reg4 real, reg5 real,
  alm1_type real, alm2_type real, alm3_type real, spare1 real, spare2 real);
create table sl_void (newest integer not null, newest_copy integer not null);
"""
SECONDS = 1200
SILENT = range(SECONDS - 235, SECONDS - 205)
EPOCH = datetime.date(1899, 12, 30)


def main(path):
    db = sqlite3.connect(path)
    db.executescript(SCHEMA)
    end = datetime.datetime.now().replace(microsecond=0)
    random.seed(7)
    record = 0
    for k in range(SECONDS):
        if k in SILENT:
            continue
        moment = end - datetime.timedelta(seconds=SECONDS - k)
        midnight = datetime.datetime.combine(moment.date(), datetime.time())
        record += 1
        pv = 50 + 2.5 * math.sin(k / 70) + random.gauss(0, 0.25)
        op = 38 + 7 * math.sin(k / 70 + 1.2)
        db.execute("insert into pv_data values (?,?,?,?,?,?,0,0,0,0,0,0,0)",
                   (record, (moment.date() - EPOCH).days, (moment - midnight).total_seconds() / 86400,
                    round(pv), round(op, 1), 50))
    db.execute("insert into sl_void values (?,?)", (record, record))
    db.commit()


if __name__ == "__main__":
    main(sys.argv[1])
