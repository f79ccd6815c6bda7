#include "PgSetup.h"

namespace kes {

// last_day keeps the time of day, as the dialect does; a time minus or plus a whole number
// is that many days earlier or later (last_day(TM)-20); vx_trim is TRIM that also takes
// numbers (the service renames TRIM( to it) and writes them as reply rows do; a text is
// assigned to a number column by reading it (SET DAYS=to_char(...,'DD')). The casts need a
// superuser the first time; without one they are skipped and such assignments fail loudly.
const char* const kPostgresSetupSql = R"SQL(
BEGIN READ WRITE;
SELECT pg_advisory_xact_lock(7436551);
CREATE SCHEMA IF NOT EXISTS kes;
DO $setup$
BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace
                 WHERE n.nspname = 'kes' AND p.proname = 'vx_setup_1') THEN
    CREATE OR REPLACE FUNCTION kes.last_day(timestamp) RETURNS timestamp LANGUAGE sql IMMUTABLE AS
      $f$ SELECT date_trunc('month', $1) + interval '1 month' - interval '1 day' + ($1 - date_trunc('day', $1)) $f$;
    CREATE OR REPLACE FUNCTION kes.last_day(date) RETURNS timestamp LANGUAGE sql IMMUTABLE AS
      $f$ SELECT kes.last_day($1::timestamp) $f$;
    CREATE OR REPLACE FUNCTION kes.vx_ts_minus_days(timestamp, integer) RETURNS timestamp LANGUAGE sql IMMUTABLE AS
      $f$ SELECT $1 - $2 * interval '1 day' $f$;
    CREATE OR REPLACE FUNCTION kes.vx_ts_plus_days(timestamp, integer) RETURNS timestamp LANGUAGE sql IMMUTABLE AS
      $f$ SELECT $1 + $2 * interval '1 day' $f$;
    CREATE OPERATOR kes.- (LEFTARG = timestamp, RIGHTARG = integer, FUNCTION = kes.vx_ts_minus_days);
    CREATE OPERATOR kes.+ (LEFTARG = timestamp, RIGHTARG = integer, FUNCTION = kes.vx_ts_plus_days);
    CREATE OR REPLACE FUNCTION kes.vx_trim(text) RETURNS text LANGUAGE sql IMMUTABLE AS
      $f$ SELECT btrim($1, ' ') $f$;
    CREATE OR REPLACE FUNCTION kes.vx_trim(double precision) RETURNS text LANGUAGE sql IMMUTABLE AS
      $f$ SELECT CASE WHEN $1 = 0 THEN '0' ELSE trim_scale($1::numeric)::text END $f$;
    CREATE OR REPLACE FUNCTION kes.vx_trim(numeric) RETURNS text LANGUAGE sql IMMUTABLE AS
      $f$ SELECT kes.vx_trim($1::double precision) $f$;
    CREATE OR REPLACE FUNCTION kes.vx_trim(bigint) RETURNS text LANGUAGE sql IMMUTABLE AS
      $f$ SELECT $1::text $f$;
    CREATE OR REPLACE FUNCTION kes.vx_trim(integer) RETURNS text LANGUAGE sql IMMUTABLE AS
      $f$ SELECT $1::text $f$;
    CREATE OR REPLACE FUNCTION kes.vx_setup_1() RETURNS integer LANGUAGE sql IMMUTABLE AS $f$ SELECT 1 $f$;
  END IF;
  BEGIN
    IF NOT EXISTS (SELECT 1 FROM pg_cast WHERE castsource = 'text'::regtype AND casttarget = 'integer'::regtype) THEN
      CREATE CAST (text AS integer) WITH INOUT AS ASSIGNMENT;
      CREATE CAST (text AS bigint) WITH INOUT AS ASSIGNMENT;
      CREATE CAST (text AS smallint) WITH INOUT AS ASSIGNMENT;
      CREATE CAST (text AS numeric) WITH INOUT AS ASSIGNMENT;
      CREATE CAST (text AS double precision) WITH INOUT AS ASSIGNMENT;
      CREATE CAST (text AS real) WITH INOUT AS ASSIGNMENT;
    END IF;
  EXCEPTION WHEN insufficient_privilege THEN
    RAISE NOTICE 'text-to-number assignment casts not created: %', SQLERRM;
  END;
END
$setup$;
COMMIT;
)SQL";

} // namespace kes
