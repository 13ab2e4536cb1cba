-- Brings a post-sales database created by an earlier version up to the
-- columns of schema.sql. Run it against that database:
--
--   mysql -h HOST -u USER -p tarvil_postventa < db/upgrade-postsales.sql
--
-- Running it again changes nothing.

-- Work-order amounts as exact decimals: FLOAT kept six significant digits
-- (123456.78 came back as 123457). Values already stored keep what FLOAT
-- kept of them, rounded to cents.
ALTER TABLE opv
  MODIFY presupuesto decimal(12,2) NULL,
  MODIFY horas_hombre decimal(12,2) NULL,
  MODIFY abonado_importe decimal(12,2) NULL;

-- Job descriptions of 80 characters.
ALTER TABLE trabajos_realizados
  MODIFY trabajo_realizado varchar(80) NULL;
