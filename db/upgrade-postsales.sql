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

-- The workstations' delivery tokens (as in schema.sql): a new order, a
-- master-file change or an owner is written with its token, so that after a
-- lost answer the workstation can tell whether it was stored.
CREATE TABLE IF NOT EXISTS tarvil_escrituras (
  token char(32) NOT NULL,
  tipo varchar(20) NOT NULL,
  ref int NULL,
  hora timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (token)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
