-- The team database of Quorvel: the practice's saved firm statements, and the
-- industry each was saved under. Everything else (the reference data, the
-- report work tables, the layouts) stays on each computer.
--
-- An administrator runs this file once, or "quorvel-cli init-store" does the
-- same:   psql -d practice -f quorvel-team-schema.sql
-- Running it again is harmless. The users of the practice then need only the
-- data rights:
--   GRANT USAGE ON SCHEMA quorvel TO accountant;
--   GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA quorvel TO accountant;

BEGIN;

CREATE SCHEMA IF NOT EXISTS quorvel;

-- One row: the version of this schema the tables follow.
CREATE TABLE IF NOT EXISTS quorvel.schema_version (
    version integer NOT NULL
);
INSERT INTO quorvel.schema_version (version)
    SELECT 3 WHERE NOT EXISTS (SELECT 1 FROM quorvel.schema_version);

-- One statement per firm and year. firm_key is the firm name folded for
-- comparison without regard to letter case ("ACME" and "Acme" are one firm);
-- the key makes two saves of the same firm and year at the same moment leave
-- one statement. version counts the saves, saved_by and saved_at say who
-- saved it last and when, so that nobody replaces a statement saved since
-- they opened it without being asked.
CREATE TABLE IF NOT EXISTS quorvel.statements (
    firm_key text NOT NULL,
    year integer NOT NULL,
    firm_name text NOT NULL,
    naics text,
    volume integer,
    region text,
    cash double precision NOT NULL DEFAULT 0,
    ar double precision NOT NULL DEFAULT 0,
    inv double precision NOT NULL DEFAULT 0,
    ca double precision NOT NULL DEFAULT 0,
    oa double precision NOT NULL DEFAULT 0,
    toa double precision NOT NULL DEFAULT 0,
    invest double precision NOT NULL DEFAULT 0,
    ptfl double precision NOT NULL DEFAULT 0,
    ta double precision NOT NULL DEFAULT 0,
    operatingrevenue double precision NOT NULL DEFAULT 0,
    sales double precision NOT NULL DEFAULT 0,
    grossprofit double precision NOT NULL DEFAULT 0,
    operatingprofit double precision NOT NULL DEFAULT 0,
    interestexpense double precision NOT NULL DEFAULT 0,
    pretaxprofit double precision NOT NULL DEFAULT 0,
    profitaftertax double precision NOT NULL DEFAULT 0,
    accountspayable double precision NOT NULL DEFAULT 0,
    banks double precision NOT NULL DEFAULT 0,
    paper double precision NOT NULL DEFAULT 0,
    mtg double precision NOT NULL DEFAULT 0,
    bonds double precision NOT NULL DEFAULT 0,
    ol double precision NOT NULL DEFAULT 0,
    amtsaffil double precision NOT NULL DEFAULT 0,
    oliab double precision NOT NULL DEFAULT 0,
    deftax double precision NOT NULL DEFAULT 0,
    tliab double precision NOT NULL DEFAULT 0,
    sharec double precision NOT NULL DEFAULT 0,
    retearn double precision NOT NULL DEFAULT 0,
    othersur double precision NOT NULL DEFAULT 0,
    equity1 double precision NOT NULL DEFAULT 0,
    totliabshareeq double precision NOT NULL DEFAULT 0,
    currentassets double precision NOT NULL DEFAULT 0,
    currentliabilities double precision NOT NULL DEFAULT 0,
    version bigint NOT NULL DEFAULT 1,
    saved_by text NOT NULL DEFAULT session_user,
    saved_at timestamptz NOT NULL DEFAULT now(),
    PRIMARY KEY (firm_key, year)
);

-- Version 2: the last version of each deleted statement. A statement saved
-- again after a delete goes on from there, so that a version is never given
-- twice to one firm and year, and a screen still holding the deleted one
-- meets the question about the new one instead of replacing it unasked.
-- After bringing a version 1 database to version 2, give the users their
-- rights on this table too (the GRANT above, run again).
CREATE TABLE IF NOT EXISTS quorvel.retired_versions (
    firm_key text NOT NULL,
    year integer NOT NULL,
    version bigint NOT NULL,
    PRIMARY KEY (firm_key, year)
);

-- Also version 2: the rows a user assigned to statement items by hand when
-- importing a client's file (label folded as imports compare labels; item
-- the statement item's column, or empty for a row to ignore), shared by
-- the practice and applied at the next import of that client's files.
CREATE TABLE IF NOT EXISTS quorvel.import_mappings (
    firm_key text NOT NULL,
    label text NOT NULL,
    item text NOT NULL,
    PRIMARY KEY (firm_key, label)
);
UPDATE quorvel.schema_version SET version = 2 WHERE version < 2;

-- Version 3: the accountant's own comment on each statement, saved and
-- deleted with it; statements saved before have none (an empty one).
ALTER TABLE quorvel.statements ADD COLUMN IF NOT EXISTS comment text NOT NULL DEFAULT '';
UPDATE quorvel.schema_version SET version = 3 WHERE version < 3;

COMMIT;
