-- The central history of many stations: samples and journal events each
-- station forwards from its own files. Apply as the database's owner
-- (psql -f, or the station with --historian-init); applying it again
-- changes nothing. Stations forward as a member of historian_writer.

-- Stations started together with --historian-init apply this at once, each
-- as one transaction: "if not exists" alone lets both create a table (or the
-- role) and one fail. Held to the end of the transaction, this lock makes
-- the second wait and then find everything there.
select pg_advisory_xact_lock(hashtext('historian schema'));

create table if not exists historian_schema (
    version integer not null
);
insert into historian_schema (version)
    select 1 where not exists (select 1 from historian_schema);

create table if not exists stations (
    name text primary key,
    host text not null default '',
    first_seen timestamptz not null default now(),
    last_seen timestamptz not null default now()
);

-- One row per instrument and second. address 0 (never a module address on
-- the line) stands for a sample whose instrument the station did not know.
-- alarm_bits and coil_bits are NULL where the station kept none.
create table if not exists samples (
    station text not null,
    port text not null,
    address integer not null,
    time_utc timestamptz not null,
    utc_offset integer not null,
    pv double precision not null,
    op double precision not null,
    sv double precision not null,
    alarm_bits integer,
    coil_bits integer,
    primary key (station, port, address, time_utc)
) partition by range (time_utc);

-- The key serves "one instrument over a period"; this one "all at a time".
create index if not exists samples_by_time on samples (time_utc);

-- The journal's events, under the station's own event id.
create table if not exists events (
    station text not null,
    event_id bigint not null,
    time_utc timestamptz not null,
    utc_offset integer not null,
    kind text not null,
    source text not null default '',
    what text not null default '',
    old_value text not null default '',
    new_value text not null default '',
    outcome text not null default '',
    message text not null default '',
    user_name text not null default '',
    host text not null default '',
    origin text not null default '',
    primary key (station, event_id)
);
create index if not exists events_by_time on events (time_utc);
create index if not exists events_by_kind_time on events (kind, time_utc);

-- The month's partition of samples (UTC months), created when missing. It
-- runs with its owner's rights, so a writer needs no right to create tables.
create or replace function historian_month_partition(moment timestamptz) returns void
language plpgsql security definer set search_path = public as $body$
declare
    first_day timestamptz := date_trunc('month', moment at time zone 'UTC') at time zone 'UTC';
    name text := 'samples_' || to_char(moment at time zone 'UTC', 'YYYY_MM');
begin
    if to_regclass(name) is null then
        -- Stations reaching a new month together would each create it and
        -- all but one fail; the lock (held to the end of the batch's
        -- transaction, taken only while the partition is missing) makes
        -- the others wait and find it.
        perform pg_advisory_xact_lock(hashtext(name));
        execute format('create table if not exists %I partition of samples for values from (%L) to (%L)',
                       name, first_day, first_day + interval '1 month');
    end if;
end
$body$;

do $body$
begin
    if not exists (select 1 from pg_roles where rolname = 'historian_writer') then
        create role historian_writer nologin;
    end if;
end
$body$;

revoke all on historian_schema, stations, samples, events from historian_writer;
grant select on historian_schema to historian_writer;
grant select, insert, update on stations, samples, events to historian_writer;
revoke all on function historian_month_partition(timestamptz) from public;
grant execute on function historian_month_partition(timestamptz) to historian_writer;
