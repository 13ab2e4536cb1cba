-- Local installation ("L" server letter): the local databases the
-- installation profiles use (operations: `tarvil`, or `tarvil_pec` for one
-- group of profiles; post-sales: `tarvil_postventa`) and the local account
-- they log in with. Load db/schema.sql into each database afterwards.
CREATE DATABASE IF NOT EXISTS tarvil CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
CREATE DATABASE IF NOT EXISTS tarvil_pec CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
CREATE DATABASE IF NOT EXISTS tarvil_postventa CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
CREATE USER IF NOT EXISTS 'tarvil'@'localhost' IDENTIFIED BY 'tarvil';
CREATE USER IF NOT EXISTS 'tarvil'@'127.0.0.1' IDENTIFIED BY 'tarvil';
GRANT ALL PRIVILEGES ON tarvil.* TO 'tarvil'@'localhost';
GRANT ALL PRIVILEGES ON tarvil_pec.* TO 'tarvil'@'localhost';
GRANT ALL PRIVILEGES ON tarvil.* TO 'tarvil'@'127.0.0.1';
GRANT ALL PRIVILEGES ON tarvil_pec.* TO 'tarvil'@'127.0.0.1';
GRANT ALL PRIVILEGES ON tarvil_postventa.* TO 'tarvil'@'localhost';
GRANT ALL PRIVILEGES ON tarvil_postventa.* TO 'tarvil'@'127.0.0.1';
