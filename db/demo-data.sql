-- Demo data for a PEC's operations database (and its post-sales tables, which
-- live in the same database for the local installations). Load it into a
-- database created from db/schema.sql. Dates are relative to the day of the
-- load, so stickers are always assigned over the past year and expiries fall
-- in the coming months.
--
-- No compound statements: the test harness splits this file on ';' at line
-- ends. Operations are generated with the sequence engine from deterministic
-- expressions of the row number, so every load gives the same rows (up to the
-- dates).

SET NAMES utf8mb4;

-- ---------------------------------------------------------------- identity
INSERT INTO sistema (version) VALUES (314);

INSERT INTO pec (PECCOD, PECRSOC, PMATRESHAB, PRESHABAYN, DIRECCION, Clave) VALUES
  ('0031', 'EQUIPOS GNC DEL PLATA S.A.', '1024', 'ING. MARTIN ALBERTO QUIROGA',
   'AV. GRAL. PAZ 12450 - VILLA LUGANO - BUENOS AIRES', 'admin314');

INSERT INTO res (RMATRESHAB, RAPELLIDO, RNOMBRE, RNRODOC) VALUES
  ('1024', 'QUIROGA', 'MARTIN ALBERTO', '20345678'),
  ('2201', 'FERNANDEZ', 'RICARDO DANIEL', '17456123'),
  ('2202', 'PAEZ', 'LILIANA BEATRIZ', '22987654'),
  ('2203', 'OJEDA', 'CARLOS ALBERTO', '14332110'),
  ('2204', 'BRUNO', 'NESTOR FABIAN', '25110987'),
  ('2205', 'VILLALBA', 'SUSANA ELENA', '28765432');

INSERT INTO userpa (id, login, password) VALUES
  (1, 'admin', 'admin314'),
  (2, 'verificador', 'verifica');

-- Workshops: TDM0001 is the demo login (workshop tab, warranty); TDM0002 has
-- no workshop tab; TDM0003 is disabled; TDM0004 is not licensed and prints
-- under TDM0001; TAL0005 starts with "TAL"; TDM0006 and TDM0007 are ordinary.
INSERT INTO tal (tcodigoint, Password, Estado, TRAZSOC, TALCUIT, RMATRESHAB, TCALLE, TNUMERO,
                 TLOCALIDAD, TTELEFONO, thabilitad, codtalaso, sello1, sello2, sello3, sello4,
                 copias, localidad, provincia, hoja, pertenece, garantia, mensajeWhatsApp,
                 mensajeWhatsAppPh) VALUES
  ('TDM0001', 'demo', 1, 'GNC OESTE S.R.L.', '30-71234567-9', '2201', 'AV. DE MAYO', '1450',
   'RAMOS MEJIA', '(011) 4654-2210', 1, '', 'ING. RICARDO D. FERNANDEZ', 'REPRESENTANTE TECNICO',
   'MAT. 2201', 'GNC OESTE S.R.L.', 2, 'RAMOS MEJIA', 'BUENOS AIRES', 0, 1, 1,
   'Hola! Le recordamos que la oblea de GNC de su vehículo vence pronto. Lo esperamos en GNC Oeste (Av. de Mayo 1450, Ramos Mejía) para la revisión anual. Pida su turno respondiendo este mensaje.',
   'Hola! Le avisamos que la prueba hidráulica del cilindro de GNC de su vehículo vence pronto. Sin PH vigente no se puede renovar la oblea. Consúltenos por el retiro y la reinstalación.'),
  ('TDM0002', 'sur2024', 1, 'AUTOGAS SUR S.A.', '30-70987654-3', '2202', 'AV. MITRE', '3320',
   'AVELLANEDA', '(011) 4201-7788', 1, '', 'ING. LILIANA B. PAEZ', 'REPRESENTANTE TECNICO',
   'MAT. 2202', '', 1, 'AVELLANEDA', 'BUENOS AIRES', 1, 0, 0,
   'Estimado cliente: la oblea de GNC de su vehículo está por vencer. Lo esperamos en Autogas Sur.',
   'Estimado cliente: la prueba hidráulica de su cilindro está por vencer. Lo esperamos en Autogas Sur.'),
  ('TDM0003', 'baja', 0, 'GNC NORTE (BAJA)', '20-23456789-4', '2203', 'RUTA 8 KM', '52',
   'PILAR', '(0230) 442-1100', 1, '', 'CARLOS A. OJEDA', 'REPRESENTANTE TECNICO', 'MAT. 2203', '',
   1, 'PILAR', 'BUENOS AIRES', 0, 0, 0, '', ''),
  ('TDM0004', 'auxiliar', 1, 'TALLER MECANICO EL PROGRESO', '20-28123456-1', '2201', 'BELGRANO',
   '845', 'CASTELAR', '(011) 4627-3344', 0, 'TDM0001', 'ING. RICARDO D. FERNANDEZ',
   'REPRESENTANTE TECNICO', 'MAT. 2201', '', 1, 'CASTELAR', 'BUENOS AIRES', 0, 0, 0,
   'Hola! La oblea de GNC de su vehículo vence pronto. Lo esperamos.', ''),
  ('TAL0005', 'taller5', 1, 'MECANICA INTEGRAL CORDOBA S.A.', '30-71555666-2', '2204',
   'AV. COLON', '2210', 'CORDOBA', '(0351) 423-9090', 1, '', 'ING. NESTOR F. BRUNO',
   'REPRESENTANTE TECNICO', 'MAT. 2204', 'MECANICA INTEGRAL CORDOBA', 2, 'CORDOBA', 'CORDOBA', 0,
   1, 1, 'Hola! Su oblea de GNC vence pronto. Lo esperamos en Mecánica Integral Córdoba.',
   'Hola! La PH de su cilindro de GNC vence pronto. Lo esperamos en Mecánica Integral Córdoba.'),
  ('TDM0006', 'rosario', 1, 'GAS ROSARIO CONVERSIONES', '27-30111222-5', '2205', 'BV. OROÑO',
   '1187', 'ROSARIO', '(0341) 448-5566', 1, '', 'SUSANA E. VILLALBA', 'REPRESENTANTE TECNICO',
   'MAT. 2205', '', 1, 'ROSARIO', 'SANTA FE', 1, 1, 0,
   'Hola! Le recordamos que la oblea de GNC vence pronto. Gas Rosario Conversiones.',
   'Hola! La prueba hidráulica de su cilindro vence pronto. Gas Rosario Conversiones.'),
  ('TDM0007', 'cuyo', 1, 'CUYO GNC S.R.L.', '30-71888999-0', '2202', 'SAN MARTIN', '980',
   'MENDOZA', '(0261) 429-3030', 1, '', 'ING. LILIANA B. PAEZ', 'REPRESENTANTE TECNICO',
   'MAT. 2202', '', 1, 'MENDOZA', 'MENDOZA', 0, 0, 0, '', '');

-- ---------------------------------------------------------------- messages
INSERT INTO mensajes (mensaje_id, mensaje) VALUES
  (1, 'Recordamos que a partir del 1 de mes las fichas técnicas deben presentarse con la firma del representante técnico y el sello del taller.'),
  (2, 'Se actualizó el listado de CRPC habilitados. Verifique el código de CRPC antes de cargar el número de certificado.'),
  (3, 'Los trámites de renovación con cilindros con prueba hidráulica vencida deben acompañarse de la carta compromiso firmada por el titular.'),
  (4, 'Horario de atención del PEC durante las fiestas: lunes a viernes de 8 a 14 hs.'),
  (5, 'Nueva versión del sistema disponible para todos los talleres.');

INSERT INTO mensajes_destinatarios (mensaje_id, taller, leido) VALUES
  (1, 'TDM0001', 1), (2, 'TDM0001', 0), (3, 'TDM0001', 0), (4, 'TDM0001', 0),
  (1, 'TDM0002', 1), (3, 'TDM0002', 0),
  (2, 'TAL0005', 1), (4, 'TAL0005', 1),
  (3, 'TDM0006', 0), (4, 'TDM0006', 0), (5, 'TDM0006', 1),
  (4, 'TDM0004', 0);

-- -------------------------------------------------------------- catalogues
INSERT INTO codreg (CODIGO, MARCA, MODELO) VALUES
  ('T009', 'TOMASETTO', 'AT09 NORDIC'),
  ('T007', 'TOMASETTO', 'AT07'),
  ('L032', 'LOVATO', 'RGJ-3.2L'),
  ('L045', 'LOVATO', 'RMJ'),
  ('B101', 'BRC', 'GENIUS MAX'),
  ('R081', 'LANDI RENZO', 'SE-81'),
  ('G003', 'GALILEO', 'REG-3'),
  ('A005', 'ASPRO', 'AR-5'),
  ('E001', 'EMER', 'EMR-1'),
  ('M210', 'MTM', 'ALASKA');

INSERT INTO codcil (CODIGO, MARCA, MODELO, CAPACIDAD, VENC) VALUES
  ('F040', 'FABER', '40 LTS ACERO', 40, 5),
  ('F060', 'FABER', '60 LTS ACERO', 60, 5),
  ('I045', 'INFLEX', '45 LTS', 45, 5),
  ('I060', 'INFLEX', '60 LTS', 60, 5),
  ('T050', 'TENARIS', '50 LTS', 50, 5),
  ('T070', 'TENARIS', '70 LTS', 70, 5),
  ('W040', 'WORTHINGTON', '40 LTS', 40, 5),
  ('M030', 'MAT', '30 LTS', 30, 5),
  ('C080', 'CILBRAS', '80 LTS', 80, 5),
  ('K065', 'COMPOSITE KGR', '65 LTS TIPO 2', 65, 3);

INSERT INTO valcod (CODVAL, MARCA, MODELO, TIPO) VALUES
  ('V101', 'TOMASETTO', 'VM-A', 'MANUAL'),
  ('V102', 'TOMASETTO', 'VE-A', 'ELECTROVALVULA'),
  ('V201', 'OMB', 'SAVER', 'MANUAL'),
  ('V202', 'OMB', 'SAVER E', 'ELECTROVALVULA'),
  ('V301', 'BRC', 'VM-3', 'MANUAL'),
  ('V401', 'LOVATO', 'LOV-M', 'MANUAL'),
  ('V501', 'GALILEO', 'VG-1', 'MANUAL'),
  ('V601', 'MTM', 'MV-2', 'ELECTROVALVULA');

-- "FAB" is the factory test: the operation form looks it up like any centre.
INSERT INTO codcrp (CODIGO, NOMBRE, DIRECCION, LOCALIDAD, PROVINCIA, TELEFONO) VALUES
  ('FAB', 'PRUEBA DE FABRICA', '', '', '', ''),
  ('CR01', 'CILINDROS DEL OESTE S.A.', 'AV. RIVADAVIA 14200', 'RAMOS MEJIA', 'BUENOS AIRES', '(011) 4656-1200'),
  ('CR02', 'CRPC SUR S.R.L.', 'AV. CALCHAQUI 3300', 'QUILMES', 'BUENOS AIRES', '(011) 4250-8800'),
  ('CR03', 'PRUEBAS HIDRAULICAS CORDOBA', 'AV. CIRCUNVALACION 1500', 'CORDOBA', 'CORDOBA', '(0351) 475-2020'),
  ('CR04', 'CRPC LITORAL S.A.', 'AV. CIRCUNVALACION 2850', 'ROSARIO', 'SANTA FE', '(0341) 458-7070'),
  ('CR05', 'CUYO CILINDROS', 'ACCESO SUR 4500', 'GODOY CRUZ', 'MENDOZA', '(0261) 432-1111'),
  ('CR06', 'CRPC LA PLATA', 'CALLE 520 Y 131', 'LA PLATA', 'BUENOS AIRES', '(0221) 470-3333'),
  ('CR07', 'REVISIONES DEL NORTE', 'RUTA 9 KM 1295', 'TUCUMAN', 'TUCUMAN', '(0381) 426-4444');

INSERT INTO carta_crpc (crpc) VALUES ('CYPRESS'), ('BUCKEYE'), ('BIRCH'), ('HORNBEAM');

-- ---------------------------------------------------------- appointments
INSERT INTO turnos_horarios (hora)
  SELECT DATE_FORMAT(TIMESTAMP('2000-01-01 08:00:00') + INTERVAL 30 * s.seq MINUTE, '%H:%i')
  FROM seq_0_to_19 s;

-- Today's and tomorrow's book of the demo workshop, a few slots taken.
INSERT INTO turnos_agenda (taller, fecha, hora, cliente, vehiculo, dominio, celular, falla)
  SELECT 'TDM0001', CURDATE() + INTERVAL d.seq DAY, h.hora, '', '', '', '', ''
  FROM turnos_horarios h, seq_0_to_1 d;

UPDATE turnos_agenda SET cliente = 'GOMEZ JORGE', vehiculo = 'FIAT SIENA', dominio = 'GHT482',
  celular = '1156781234', falla = 'RENOVACION OBLEA'
  WHERE taller = 'TDM0001' AND fecha = CURDATE() AND hora = '09:00';
UPDATE turnos_agenda SET cliente = 'SOSA ANDREA', vehiculo = 'VW SURAN', dominio = 'AC512KD',
  celular = '1145236789', falla = 'PIERDE GAS'
  WHERE taller = 'TDM0001' AND fecha = CURDATE() AND hora = '10:30';
UPDATE turnos_agenda SET cliente = 'PEREYRA RAUL', vehiculo = 'RENAULT LOGAN', dominio = 'LKJ901',
  celular = '1133445566', falla = 'CONVERSION'
  WHERE taller = 'TDM0001' AND fecha = CURDATE() AND hora = '14:00';
UPDATE turnos_agenda SET cliente = 'ROJAS CLAUDIA', vehiculo = 'CHEVROLET ONIX', dominio = 'AE204HT',
  celular = '1162239988', falla = 'NO PASA A GAS'
  WHERE taller = 'TDM0001' AND fecha = CURDATE() + INTERVAL 1 DAY AND hora = '08:30';

-- ------------------------------------------------------------- operations
-- Each of the 300 operations n concerns vehicle v: operations 241..300 come
-- back for the vehicles 1..60 converted earlier (their renewals), so those
-- plates have a history. `ago` is how many days before the load day the
-- sticker was assigned; n a multiple of 29 is still waiting for its sticker.
INSERT INTO usr (peccod, codtal, talcuit, tnrointopr, udominio, pmatreshab, rmatreshab, ucodgest,
                 udescgest, uobleaant, uobanoant, uobleanew, uobanonew, umarca, umodelo, uano,
                 utipuso, uapeynom, utipdoc, unrodoc, ucalle, unro, ubarrio, ucodpostal, ulocalidad,
                 uprovincia, UCARACT, utelefono, te_tipo, email, ufecrev, ufecmont, ufechab,
                 ufecvenhab, uobservac, inyeccion, vin, xfecasig, SUJCIL_COD, SUJCIL_NRO,
                 ELVALN_COD, ELVALN_NRO, MEZCL_COD, MEZCL_NRO, LLAVEC_COD, LLAVEC_NRO, VALCAE_COD,
                 VALCAE_NRO, MANOM_COD, MANOM_NRO, TUBER_COD, TUBER_NRO)
SELECT '0031', t.tcodigoint, t.TALCUIT, 100000 + b.n, b.plate, '1024', t.RMATRESHAB, b.k,
       ELT(FIELD(b.k, 'C', 'M', 'R', 'B', 'X', 'H'),
           'CONVERSION', 'MODIFICACION', 'REVISION', 'DESMONTAJE', 'REVISIONCRPC', 'REEMPLAZO'),
       CASE WHEN b.k = 'C' THEN ''
            WHEN b.n > 240 THEN LPAD(4500000000 + 7 * b.v, 10, '0')
            ELSE LPAD(3800000000 + 17 * b.v, 10, '0') END,
       CASE WHEN b.k = 'C' THEN ''
            WHEN b.n > 240 THEN DATE_FORMAT(CURDATE() - INTERVAL b.origago DAY, '%y')
            ELSE DATE_FORMAT(CURDATE() - INTERVAL (b.ago + 365) DAY, '%y') END,
       IF(b.pending, '', LPAD(4500000000 + 7 * b.n, 10, '0')),
       IF(b.pending, '', DATE_FORMAT(CURDATE() - INTERVAL b.ago DAY, '%y')),
       b.marca, b.modelo, b.anio,
       CASE WHEN b.v % 8 = 0 THEN '1' WHEN b.v % 11 = 0 THEN '2' WHEN b.v % 23 = 0 THEN '4'
            ELSE '3' END,
       b.owner, IF(b.v % 15 = 0, 'CUIT', 'DNI'),
       IF(b.v % 15 = 0, CONCAT('20-', 12000000 + (b.v * 104729) % 30000000, '-', b.v % 10),
          CAST(12000000 + (b.v * 104729) % 30000000 AS CHAR)),
       CONCAT(ELT(1 + b.v % 15, 'AV. RIVADAVIA', 'BELGRANO', 'SAN MARTIN', 'MITRE', 'SARMIENTO',
                  'AV. CORRIENTES', '25 DE MAYO', 'ALSINA', 'LAVALLE', 'MORENO', 'AV. DE MAYO',
                  'ITALIA', 'ESPAÑA', 'URQUIZA', 'PUEYRREDON'), ' ', 100 + (b.v * 61) % 4800),
       '',
       ELT(1 + b.v % 8, 'CENTRO', 'NORTE', 'SAN MARTIN', 'LAS FLORES', 'VILLA SARMIENTO',
           'BARRIO PARQUE', 'LOS ALAMOS', 'OBRERO'),
       ELT(b.loc, '1704', '1708', '1754', '1878', '1900', '7600', '5000', '5152', '2000', '3000',
           '5500', '4000', '8300'),
       ELT(b.loc, 'RAMOS MEJIA', 'MORON', 'SAN JUSTO', 'QUILMES', 'LA PLATA', 'MAR DEL PLATA',
           'CORDOBA', 'VILLA CARLOS PAZ', 'ROSARIO', 'SANTA FE', 'MENDOZA', 'S.M. DE TUCUMAN',
           'NEUQUEN'),
       ELT(b.loc, 'BUENOS AIRES', 'BUENOS AIRES', 'BUENOS AIRES', 'BUENOS AIRES', 'BUENOS AIRES',
           'BUENOS AIRES', 'CORDOBA', 'CORDOBA', 'SANTA FE', 'SANTA FE', 'MENDOZA', 'TUCUMAN',
           'NEUQUEN'),
       IF(b.v % 26 = 0, NULL, b.area),
       CASE WHEN b.v % 13 = 0 THEN ELT(1 + (b.v DIV 13) % 4, 'S/N', 's/n', 'SD', 'S/D')
            ELSE CONCAT(ELT(1 + b.v % 3, '4', '5', '6'),
                        RIGHT(LPAD(b.v * 7919 + 12345, 9, '0'), 9 - LENGTH(b.area))) END,
       IF(b.v % 9 = 0, 'FIJO', 'CELULAR'),
       IF(b.v % 3 = 0, '', LOWER(CONCAT(SUBSTRING_INDEX(b.owner, ' ', 1), '.',
                                        LEFT(SUBSTRING_INDEX(b.owner, ' ', -1), 1), b.v,
                                        ELT(1 + b.v % 3, '@gmail.com', '@hotmail.com', '@yahoo.com.ar')))),
       b.fmont, b.fmont, IF(b.k = 'B', NULL, b.fmont),
       IF(b.k = 'B', NULL, b.fmont + INTERVAL 1 YEAR),
       CASE WHEN b.k = 'B' THEN 'DESMONTA EQUIPO POR VENTA DEL VEHICULO'
            WHEN b.k = 'M' THEN 'CAMBIO DE REGULADOR'
            WHEN b.k = 'H' THEN 'REEMPLAZO DE VALVULA DE CILINDRO'
            WHEN b.v % 10 = 0 THEN 'CLIENTE DEJA COPIA DE CEDULA VERDE' ELSE '' END,
       IF(b.anio >= 2008, 'S', 'N'),
       CONCAT(ELT(b.m % 8 + 1, '8AP', '9BW', '8AG', '8A1', '8AD', '8AF', '8AJ', '8BC'), 'ZZZ',
              CHAR(65 + (b.anio - 2001) % 26), LPAD((b.v * 7777) % 10000000000, 10, '0')),
       IF(b.pending, NULL, CURDATE() - INTERVAL b.ago DAY),
       IF(b.k = 'C', 'SC-10', ''), IF(b.k = 'C', LPAD(b.v * 31 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'EN-22', ''), IF(b.k = 'C', LPAD(b.v * 37 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'MZ-05', ''), IF(b.k = 'C', LPAD(b.v * 41 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'LL-3', ''), IF(b.k = 'C', LPAD(b.v * 43 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'VCE-1', ''), IF(b.k = 'C', LPAD(b.v * 47 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'MN-8', ''), IF(b.k = 'C', LPAD(b.v * 53 % 100000, 6, '0'), ''),
       IF(b.k = 'C', 'TA-6', ''), IF(b.k = 'C', LPAD(b.v * 59 % 100000, 6, '0'), '')
FROM (
  SELECT o.*,
         CURDATE() - INTERVAL (o.ago + 2) DAY AS fmont,
         ELT(o.m + 1, 'FIAT', 'FIAT', 'VOLKSWAGEN', 'VOLKSWAGEN', 'CHEVROLET', 'CHEVROLET',
             'RENAULT', 'RENAULT', 'PEUGEOT', 'PEUGEOT', 'FORD', 'FORD', 'TOYOTA', 'CITROEN',
             'FIAT', 'VOLKSWAGEN') AS marca,
         ELT(o.m + 1, 'SIENA', 'PALIO', 'GOL TREND', 'SURAN', 'CORSA CLASSIC', 'ONIX', 'LOGAN',
             'KANGOO', '208', 'PARTNER', 'FIESTA', 'KA', 'ETIOS', 'BERLINGO', 'CRONOS', 'VOYAGE')
           AS modelo,
         CONCAT(ELT(1 + o.v % 30, 'GONZALEZ', 'RODRIGUEZ', 'GOMEZ', 'FERNANDEZ', 'LOPEZ', 'DIAZ',
                    'MARTINEZ', 'PEREZ', 'GARCIA', 'SANCHEZ', 'ROMERO', 'SOSA', 'ALVAREZ',
                    'TORRES', 'RUIZ', 'RAMIREZ', 'FLORES', 'BENITEZ', 'ACOSTA', 'MEDINA',
                    'HERRERA', 'SUAREZ', 'AGUIRRE', 'GIMENEZ', 'GUTIERREZ', 'PEREYRA', 'ROJAS',
                    'MOLINA', 'CASTRO', 'ORTIZ'), ' ',
                ELT(1 + (o.v * 7 + o.v DIV 30) % 20, 'JUAN CARLOS', 'MARIA LAURA', 'JORGE',
                    'SILVIA', 'MARCELO', 'GRACIELA', 'DIEGO', 'VERONICA', 'PABLO ANDRES',
                    'ANDREA', 'SERGIO', 'CLAUDIA', 'GUSTAVO', 'PATRICIA', 'HECTOR', 'NATALIA',
                    'RAUL', 'ROMINA', 'WALTER', 'LUCIANA')) AS owner,
         IF(o.anio < 2016,
            CONCAT(CHAR(69 + o.anio - 2005), CHAR(65 + (o.v * 7) % 26), CHAR(65 + (o.v * 11) % 26),
                   LPAD((o.v * 37) % 1000, 3, '0')),
            CONCAT('A', CHAR(65 + o.anio - 2016), LPAD((o.v * 53) % 1000, 3, '0'),
                   CHAR(65 + (o.v * 3) % 26), CHAR(65 + (o.v * 17) % 26))) AS plate,
         ELT(o.loc, '11', '11', '11', '11', '221', '223', '351', '3541', '341', '342', '261', '381',
             '299') AS area
  FROM (
    SELECT s.seq AS n,
           IF(s.seq > 240, s.seq - 240, s.seq) AS v,
           IF(s.seq > 240, s.seq - 240, s.seq) % 16 AS m,
           2005 + (IF(s.seq > 240, s.seq - 240, s.seq) * 7) % 19 AS anio,
           1 + (IF(s.seq > 240, s.seq - 240, s.seq) * 3) % 13 AS loc,
           400 + (IF(s.seq > 240, s.seq - 240, s.seq) * 13) % 300 AS origago,
           (s.seq % 29 = 0 AND s.seq BETWEEN 61 AND 240) AS pending,
           CASE WHEN s.seq <= 60 THEN 400 + (s.seq * 13) % 300
                WHEN s.seq > 240 THEN 35 + ((s.seq - 240) * 13) % 300
                WHEN s.seq % 29 = 0 THEN s.seq % 7 + 1
                ELSE 1 + (s.seq * 211) % 359 END AS ago,
           CASE WHEN s.seq <= 60 THEN 'C'
                WHEN s.seq > 240 THEN ELT(1 + (s.seq * 3 + s.seq DIV 10) % 10, 'R', 'R', 'R', 'R', 'R', 'R',
                                         'M', 'H', 'X', 'B')
                ELSE ELT(1 + (s.seq * 13 + s.seq DIV 10) % 20, 'C', 'C', 'C', 'C', 'C', 'C', 'R', 'R', 'R', 'R', 'R',
                         'R', 'R', 'R', 'R', 'M', 'M', 'B', 'X', 'H') END AS k
    FROM seq_1_to_300 s
  ) o
) b
JOIN tal t ON t.tcodigoint = ELT(1 + b.v % 10, 'TDM0001', 'TDM0001', 'TDM0001', 'TDM0001',
                                 'TDM0001', 'TDM0002', 'TDM0002', 'TAL0005', 'TDM0004', 'TDM0006');

-- One regulator per operation; a vehicle keeps its regulator.
INSERT INTO reg (peccod, talcuit, tnrointopr, udominio, rcodregh, rnroserie, rcodgest, rfecgest, rnuevo)
SELECT u.peccod, u.talcuit, u.tnrointopr, u.udominio,
       ELT(1 + (u.tnrointopr - 100000 - IF(u.tnrointopr > 100240, 240, 0)) % 10,
           'T009', 'T007', 'L032', 'L045', 'B101', 'R081', 'G003', 'A005', 'E001', 'M210'),
       CONCAT('RG', LPAD(((u.tnrointopr - 100000 - IF(u.tnrointopr > 100240, 240, 0)) * 7919) % 1000000, 6, '0')),
       CASE u.ucodgest WHEN 'C' THEN 'M' WHEN 'B' THEN 'D' ELSE 'S' END,
       u.ufecmont, IF(u.ucodgest = 'C', 'S', 'N')
FROM usr u;

-- Cylinders: one per vehicle, two for every fifth. A conversion mounts new
-- cylinders tested at the factory; the others carry their last test, 13 to
-- 70 months before the operation, so some are due and some overdue.
INSERT INTO cil (peccod, talcuit, tnrointopr, udominio, cilcodh, cnroserie, ccodgest, cfecgest,
                 ccapacidad, cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult, fecvencrpc,
                 cnuevo, valcod, valnro, valgest, rvalcod, rvalnro, rvalgest, nrocertif)
SELECT c.peccod, c.talcuit, c.tnrointopr, c.udominio, c.code, c.serie,
       CASE c.ucodgest WHEN 'C' THEN 'M' WHEN 'B' THEN 'D' ELSE 'S' END,
       c.ufecmont, c.capacidad,
       LPAD(MONTH(c.fab), 2, '0'), DATE_FORMAT(c.fab, '%y'),
       LPAD(MONTH(c.test), 2, '0'), DATE_FORMAT(c.test, '%y'),
       c.crpc, 'A', LAST_DAY(c.test + INTERVAL cc.VENC YEAR),
       IF(c.ucodgest = 'C', 'S', 'N'),
       ELT(1 + (c.v + c.idx) % 8, 'V101', 'V102', 'V201', 'V202', 'V301', 'V401', 'V501', 'V601'),
       CONCAT('VA', LPAD((c.v * 104723 + c.idx * 31) % 10000000, 7, '0')),
       CASE WHEN c.ucodgest = 'C' THEN 'M' WHEN c.ucodgest = 'H' THEN 'D'
            WHEN c.ucodgest = 'B' THEN 'D' ELSE 'S' END,
       IF(c.ucodgest = 'H', ELT(1 + c.v % 3, 'V102', 'V202', 'V601'), ''),
       IF(c.ucodgest = 'H', CONCAT('VR', LPAD((c.v * 3571) % 10000000, 7, '0')), ''),
       IF(c.ucodgest = 'H', 'M', ''),
       IF(c.crpc = 'FAB', '', CONCAT(c.crpc, LPAD((c.v * 131 + c.idx) % 1000000, 6, '0')))
FROM (
  SELECT x.*,
         CASE WHEN x.ucodgest = 'C' OR x.v <= 60 OR x.v % 3 = 0 THEN 'FAB'
              ELSE ELT(1 + x.v % 7, 'CR01', 'CR02', 'CR03', 'CR04', 'CR05', 'CR06', 'CR07') END AS crpc,
         CASE WHEN x.ucodgest = 'C' OR x.v <= 60 OR x.v % 3 = 0 THEN x.test
              ELSE x.test - INTERVAL (5 * (1 + x.v % 2)) YEAR END AS fab
  FROM (
    SELECT u.peccod, u.talcuit, u.tnrointopr, u.udominio, u.ucodgest, u.ufecmont, p.idx, p.v,
           ELT(1 + (p.v + p.idx) % 10, 'F040', 'F060', 'I045', 'I060', 'T050', 'T070', 'W040',
               'M030', 'C080', 'K065') AS code,
           ELT(1 + (p.v + p.idx) % 10, 40, 60, 45, 60, 50, 70, 40, 30, 80, 65) AS capacidad,
           CONCAT(ELT(1 + (p.v + p.idx) % 10, 'FB', 'FB', 'IX', 'IX', 'TN', 'TN', 'WT', 'MT', 'CB', 'KG'),
                  LPAD((p.v * 7919 + p.idx * 104729) % 100000000, 8, '0')) AS serie,
           CASE WHEN u.ucodgest = 'C' THEN u.ufecmont - INTERVAL (p.v % 5) MONTH
                WHEN p.v <= 60 THEN CURDATE() - INTERVAL (402 + (p.v * 13) % 300) DAY
                                    - INTERVAL (p.v % 5) MONTH
                WHEN p.v % 4 = 1 AND p.idx = 1 THEN u.ufecmont - INTERVAL (49 + p.v % 6) MONTH
                ELSE u.ufecmont - INTERVAL (13 + (p.v * 7 + p.idx * 5) % 58) MONTH END AS test
    FROM usr u
    JOIN (SELECT 1 AS idx, s.seq AS v FROM seq_1_to_240 s
          UNION ALL SELECT 2, s.seq FROM seq_1_to_240 s WHERE s.seq % 5 = 0) p
      ON p.v = IF(u.tnrointopr > 100240, u.tnrointopr - 100240, u.tnrointopr - 100000)
  ) x
) c
JOIN codcil cc ON cc.CODIGO = c.code;

-- A cylinder whose test runs out within the year limits the sticker's expiry
-- to the test's expiry, as the operation form does on saving.
UPDATE usr u
JOIN (SELECT talcuit, tnrointopr, MIN(fecvencrpc) AS ph FROM cil GROUP BY talcuit, tnrointopr) c
  ON c.talcuit = u.talcuit AND c.tnrointopr = u.tnrointopr
SET u.ufecvenhab = c.ph
WHERE u.ufecvenhab IS NOT NULL AND c.ph > u.ufechab AND c.ph < u.ufecvenhab;

-- The follow-up windows open on today's date: a few operations of the demo
-- workshop have their sticker assigned today or this month (one with two
-- regulators and three cylinders, one valve replacement), and stickers and
-- cylinder tests of owners with a mobile run out today and next month.
INSERT INTO usr (peccod, codtal, talcuit, tnrointopr, udominio, pmatreshab, rmatreshab, ucodgest,
                 udescgest, uobleaant, uobanoant, uobleanew, uobanonew, umarca, umodelo, uano,
                 utipuso, uapeynom, utipdoc, unrodoc, ucalle, unro, ubarrio, ucodpostal, ulocalidad,
                 uprovincia, UCARACT, utelefono, te_tipo, email, ufecrev, ufecmont, ufechab,
                 ufecvenhab, uobservac, inyeccion, vin, xfecasig)
SELECT '0031', 'TDM0001', '30-71234567-9', f.nro, f.plate, '1024', '2201', f.k,
       ELT(FIELD(f.k, 'C', 'M', 'R', 'H'), 'CONVERSION', 'MODIFICACION', 'REVISION', 'REEMPLAZO'),
       IF(f.k = 'C', '', LPAD(3800009000 + f.nro - 100900, 10, '0')),
       IF(f.k = 'C', '', DATE_FORMAT(f.enabled - INTERVAL 1 YEAR, '%y')),
       LPAD(4500009000 + f.nro - 100900, 10, '0'), DATE_FORMAT(f.assigned, '%y'),
       f.marca, f.modelo, f.anio, '3', f.owner, 'DNI', CAST(20000000 + f.nro AS CHAR),
       CONCAT('AV. RIVADAVIA ', 1000 + f.nro - 100900), '', 'CENTRO', '1704', 'RAMOS MEJIA',
       'BUENOS AIRES', f.area, f.phone, 'CELULAR',
       LOWER(CONCAT(SUBSTRING_INDEX(f.owner, ' ', 1), f.nro - 100900, '@gmail.com')),
       f.enabled - INTERVAL 2 DAY, f.enabled - INTERVAL 2 DAY, f.enabled, f.expires, '',
       IF(f.anio >= 2008, 'S', 'N'), CONCAT('9BWZZZ', f.nro), f.assigned
FROM (
  SELECT 100901 AS nro, 'AF101KD' AS plate, 'C' AS k, 'VOLKSWAGEN' AS marca, 'GOL TREND' AS modelo,
         '2019' AS anio, 'MEDINA ROMINA' AS owner, '11' AS area, '61112233' AS phone,
         CURDATE() AS assigned, CURDATE() - INTERVAL 1 DAY AS enabled,
         CURDATE() - INTERVAL 1 DAY + INTERVAL 1 YEAR AS expires
  UNION ALL SELECT 100902, 'AD902PS', 'H', 'FIAT', 'CRONOS', '2018', 'HERRERA WALTER', '11', '62223344',
         CURDATE(), CURDATE() - INTERVAL 1 DAY, CURDATE() - INTERVAL 1 DAY + INTERVAL 1 YEAR
  UNION ALL SELECT 100903, 'KLM903', 'R', 'RENAULT', 'LOGAN', '2012', 'SUAREZ NATALIA', '351', '5334455',
         CURDATE() - INTERVAL (DAYOFMONTH(CURDATE()) - 1) DAY, CURDATE() - INTERVAL DAYOFMONTH(CURDATE()) DAY,
         CURDATE() - INTERVAL DAYOFMONTH(CURDATE()) DAY + INTERVAL 1 YEAR
  UNION ALL SELECT 100904, 'GHJ904', 'R', 'CHEVROLET', 'CORSA CLASSIC', '2013', 'AGUIRRE HECTOR', '351',
         '5556677', CURDATE() - INTERVAL 1 YEAR, CURDATE() - INTERVAL 1 YEAR, CURDATE()
  UNION ALL SELECT 100905, 'AC905TR', 'R', 'PEUGEOT', '208', '2017', 'GIMENEZ LUCIANA', '11', '63334455',
         CURDATE() - INTERVAL 1 YEAR, CURDATE() - INTERVAL 1 YEAR, CURDATE()
  UNION ALL SELECT 100906, 'AB906KL', 'R', 'TOYOTA', 'ETIOS', '2016', 'MOLINA SERGIO', '11', '64445566',
         CURDATE() - INTERVAL 11 MONTH, CURDATE() - INTERVAL 11 MONTH, LAST_DAY(CURDATE()) + INTERVAL 5 DAY
  UNION ALL SELECT 100907, 'AE907MN', 'R', 'FORD', 'KA', '2018', 'CASTRO PATRICIA', '223', '4778899',
         CURDATE() - INTERVAL 11 MONTH, CURDATE() - INTERVAL 11 MONTH, LAST_DAY(CURDATE()) + INTERVAL 12 DAY
  UNION ALL SELECT 100908, 'FGH908', 'R', 'FIAT', 'SIENA', '2014', 'ORTIZ RAUL', '11', 's/n',
         CURDATE() - INTERVAL 11 MONTH, CURDATE() - INTERVAL 11 MONTH, LAST_DAY(CURDATE()) + INTERVAL 8 DAY
  UNION ALL SELECT 100909, 'AA909BC', 'M', 'CITROEN', 'BERLINGO', '2016', 'ROJAS GUSTAVO', '11', '65556677',
         CURDATE() - INTERVAL 11 MONTH, CURDATE() - INTERVAL 11 MONTH, LAST_DAY(CURDATE()) + INTERVAL 20 DAY
) f;

INSERT INTO reg (peccod, talcuit, tnrointopr, udominio, rcodregh, rnroserie, rcodgest, rfecgest, rnuevo)
SELECT u.peccod, u.talcuit, u.tnrointopr, u.udominio, r.code, CONCAT('RG', u.tnrointopr, r.idx),
       IF(u.ucodgest = 'C', 'M', 'S'), u.ufecmont, IF(u.ucodgest = 'C', 'S', 'N')
FROM usr u
JOIN (SELECT 1 AS idx, 'T009' AS code UNION ALL SELECT 2, 'L032') r
  ON r.idx = 1 OR u.tnrointopr = 100901
WHERE u.tnrointopr BETWEEN 100901 AND 100909;

-- Cylinders: new ones tested at the factory for the conversion; for the
-- others a test whose five years end next month (the hydraulic-test
-- reminders) or later on.
INSERT INTO cil (peccod, talcuit, tnrointopr, udominio, cilcodh, cnroserie, ccodgest, cfecgest,
                 ccapacidad, cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult, fecvencrpc,
                 cnuevo, valcod, valnro, valgest, rvalcod, rvalnro, rvalgest, nrocertif)
SELECT u.peccod, u.talcuit, u.tnrointopr, u.udominio, c.code, CONCAT('FB', u.tnrointopr, c.idx),
       IF(u.ucodgest = 'C', 'M', 'S'), u.ufecmont, c.capacidad,
       DATE_FORMAT(c.fab, '%m'), DATE_FORMAT(c.fab, '%y'), DATE_FORMAT(c.test, '%m'),
       DATE_FORMAT(c.test, '%y'), c.crpc, 'A', LAST_DAY(c.test + INTERVAL 5 YEAR),
       IF(u.ucodgest = 'C', 'S', 'N'), 'V101', CONCAT('VA', u.tnrointopr, c.idx),
       CASE u.ucodgest WHEN 'C' THEN 'M' WHEN 'H' THEN 'D' ELSE 'S' END,
       IF(u.ucodgest = 'H', 'V202', ''), IF(u.ucodgest = 'H', CONCAT('VR', u.tnrointopr), ''),
       IF(u.ucodgest = 'H', 'M', ''),
       IF(c.crpc = 'FAB', '', CONCAT(c.crpc, RIGHT(u.tnrointopr, 5), c.idx))
FROM usr u
JOIN (
  SELECT n.nro, n.idx, ELT(n.idx, 'F040', 'F060', 'T050') AS code, ELT(n.idx, 40, 60, 50) AS capacidad,
         IF(n.nro IN (100901, 100902), 'FAB', 'CR01') AS crpc,
         CASE WHEN n.nro IN (100901, 100902) THEN CURDATE() - INTERVAL 2 MONTH
              WHEN n.nro IN (100906, 100907) THEN CURDATE() + INTERVAL 1 MONTH - INTERVAL 5 YEAR
              ELSE CURDATE() - INTERVAL 2 YEAR END AS test,
         CASE WHEN n.nro IN (100901, 100902) THEN CURDATE() - INTERVAL 2 MONTH
              ELSE CURDATE() - INTERVAL 8 YEAR END AS fab
  FROM (SELECT s.seq + 100900 AS nro, i.idx
        FROM seq_1_to_9 s
        JOIN (SELECT 1 AS idx UNION ALL SELECT 2 UNION ALL SELECT 3) i
          ON i.idx = 1 OR (s.seq = 1) OR (s.seq = 7 AND i.idx = 2)) n
) c ON c.nro = u.tnrointopr;

-- Consolidated history of every PEC: ours, plus the earlier operations of
-- vehicles 61..140 at two other PECs (their stickers are the previous
-- stickers of our renewals of those vehicles).
INSERT INTO usr_full SELECT * FROM usr;
INSERT INTO reg_full SELECT * FROM reg;
INSERT INTO cil_full SELECT * FROM cil;

INSERT INTO usr_full (peccod, codtal, talcuit, tnrointopr, udominio, pmatreshab, rmatreshab,
                      ucodgest, udescgest, uobleaant, uobanoant, uobleanew, uobanonew, umarca,
                      umodelo, uano, utipuso, uapeynom, utipdoc, unrodoc, ucalle, unro, ubarrio,
                      ucodpostal, ulocalidad, uprovincia, UCARACT, utelefono, te_tipo, email,
                      ufecrev, ufecmont, ufechab, ufecvenhab, uobservac, inyeccion, vin, xfecasig)
SELECT IF(u.v % 2 = 0, '0012', '0047'), IF(u.v % 2 = 0, 'PGN0101', 'CNG0440'),
       IF(u.v % 2 = 0, '30-69111222-7', '30-70333444-1'), 500000 + u.v, u.udominio,
       IF(u.v % 2 = 0, '0877', '0912'), IF(u.v % 2 = 0, '3101', '4420'), 'C', 'CONVERSION', '', '',
       LPAD(3800000000 + 17 * u.v, 10, '0'),
       DATE_FORMAT(u.xfecasig - INTERVAL 1 YEAR, '%y'), u.umarca, u.umodelo, u.uano, u.utipuso,
       u.uapeynom, u.utipdoc, u.unrodoc, u.ucalle, '', u.ubarrio, u.ucodpostal, u.ulocalidad,
       u.uprovincia, u.UCARACT, u.utelefono, u.te_tipo, u.email,
       u.ufecmont - INTERVAL 1 YEAR, u.ufecmont - INTERVAL 1 YEAR, u.ufecmont - INTERVAL 1 YEAR,
       u.ufecmont, '', u.inyeccion, u.vin, u.xfecasig - INTERVAL 1 YEAR
FROM (SELECT usr.*, tnrointopr - 100000 AS v FROM usr
      WHERE tnrointopr BETWEEN 100061 AND 100140 AND ucodgest <> 'C') u;

INSERT INTO reg_full (peccod, talcuit, tnrointopr, udominio, rcodregh, rnroserie, rcodgest, rfecgest, rnuevo)
SELECT f.peccod, f.talcuit, f.tnrointopr, f.udominio, r.rcodregh, r.rnroserie, 'M', f.ufecmont, 'S'
FROM usr_full f
JOIN reg r ON r.tnrointopr = f.tnrointopr - 400000
WHERE f.peccod <> '0031';

INSERT INTO cil_full (peccod, talcuit, tnrointopr, udominio, cilcodh, cnroserie, ccodgest, cfecgest,
                      ccapacidad, cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult,
                      fecvencrpc, cnuevo, valcod, valnro, valgest, rvalcod, rvalnro, rvalgest, nrocertif)
SELECT f.peccod, f.talcuit, f.tnrointopr, f.udominio, c.cilcodh, c.cnroserie, 'M', f.ufecmont,
       c.ccapacidad, c.cmesfabr, c.canofabr, c.cuphmes, c.cuphano, c.cuphcrpc, c.cuphresult,
       c.fecvencrpc, 'N', c.valcod, c.valnro, 'M', '', '', '', c.nrocertif
FROM usr_full f
JOIN cil c ON c.tnrointopr = f.tnrointopr - 400000
WHERE f.peccod <> '0031';

-- --------------------------------------------------- pending operations
-- Uploaded by the workshops and not yet verified by the PEC (estado 0), or
-- verified (1 with remarks, 2 clean) and waiting for their sticker.
INSERT INTO temp_usr (id, estado, hora, dnipath, dorsopath, certificadopath, peccod, codtal, talcuit,
                      udominio, pmatreshab, rmatreshab, ucodgest, udescgest, uobleaant, uobanoant,
                      uobleanew, umarca, umodelo, uano, utipuso, uapeynom, utipdoc, unrodoc, ucalle,
                      unro, ubarrio, ucodpostal, ulocalidad, uprovincia, UCARACT, utelefono, te_tipo,
                      email, ufecrev, ufecmont, ufechab, ufecvenhab, uobservac, inyeccion, vin) VALUES
  (1, 0, NOW() - INTERVAL 3 HOUR, '', '', '', '0031', 'TDM0001', '30-71234567-9', 'AD345KT', '1024',
   '2201', 'C', 'CONVERSION', '', '', '', 'CHEVROLET', 'PRISMA', '2019', '3', 'LUNA ESTEBAN MARIO',
   'DNI', '31456789', 'AV. RIVADAVIA 13800', '', 'CENTRO', '1704', 'RAMOS MEJIA', 'BUENOS AIRES',
   '11', '54327788', 'CELULAR', 'eluna@gmail.com', CURDATE() - INTERVAL 1 DAY,
   CURDATE() - INTERVAL 1 DAY, CURDATE() - INTERVAL 1 DAY, CURDATE() - INTERVAL 1 DAY + INTERVAL 1 YEAR,
   '', 'S', '8AGKB69T0KR123456'),
  (2, 0, NOW() - INTERVAL 1 DAY, '', '', '', '0031', 'TDM0001', '30-71234567-9', 'HKL482', '1024',
   '2201', 'R', 'REVISION', '3900012044', '25', '', 'FIAT', 'SIENA', '2009', '1',
   'CORREA MIGUEL ANGEL', 'DNI', '20111333', 'BELGRANO 455', '', 'NORTE', '1708', 'MORON',
   'BUENOS AIRES', '11', '61234455', 'CELULAR', '', CURDATE() - INTERVAL 2 DAY,
   CURDATE() - INTERVAL 2 DAY, CURDATE() - INTERVAL 2 DAY, CURDATE() - INTERVAL 2 DAY + INTERVAL 1 YEAR,
   'TAXI LICENCIA 12044', 'S', '8AP17201N9A334455'),
  (3, 1, NOW() - INTERVAL 2 DAY, '', '', '', '0031', 'TDM0001', '30-71234567-9', 'AA812RT', '1024',
   '2201', 'M', 'MODIFICACION', '3900015530', '25', '', 'RENAULT', 'LOGAN', '2016', '3',
   'VEGA ALICIA NOEMI', 'DNI', '27654321', 'ALSINA 2210', '', 'SAN JOSE', '1754', 'SAN JUSTO',
   'BUENOS AIRES', '11', '', 'FIJO', '', CURDATE() - INTERVAL 3 DAY, CURDATE() - INTERVAL 3 DAY,
   CURDATE() - INTERVAL 3 DAY, CURDATE() - INTERVAL 3 DAY + INTERVAL 1 YEAR,
   'VERIFICAR NRO DE SERIE DEL REGULADOR NUEVO', 'S', '8A1LSRDB4GL556677'),
  (4, 2, NOW() - INTERVAL 4 DAY, '', '', '', '0031', 'TDM0001', '30-71234567-9', 'GTR905', '1024',
   '2201', 'H', 'REEMPLAZO', '3900009871', '25', '', 'VOLKSWAGEN', 'GOL TREND', '2008', '3',
   'NUÑEZ OSCAR RUBEN', 'DNI', '16222444', 'MORENO 1780', '', 'OBRERO', '1878', 'QUILMES',
   'BUENOS AIRES', '11', 'S/N', 'CELULAR', '', CURDATE() - INTERVAL 5 DAY, CURDATE() - INTERVAL 5 DAY,
   CURDATE() - INTERVAL 5 DAY, CURDATE() - INTERVAL 5 DAY + INTERVAL 1 YEAR, '', 'S',
   '9BWAB05U08T998877'),
  (5, 0, NOW() - INTERVAL 30 MINUTE, '', '', '', '0031', 'TDM0002', '30-70987654-3', 'PQA117', '1024',
   '2202', 'B', 'DESMONTAJE', '3900020133', '25', '', 'PEUGEOT', '306', '2001', '3',
   'LEDESMA HUGO', 'DNI', '12345098', 'ITALIA 33', '', 'CENTRO', '1870', 'AVELLANEDA',
   'BUENOS AIRES', '11', '44556677', 'CELULAR', '', CURDATE(), CURDATE(), NULL, NULL,
   'DESMONTAJE POR VENTA', 'N', '');

INSERT INTO temp_reg (id, peccod, talcuit, udominio, rcodregh, rnroserie, rcodgest) VALUES
  (1, '0031', '30-71234567-9', 'AD345KT', 'T009', 'RG901122', 'M'),
  (2, '0031', '30-71234567-9', 'HKL482', 'L032', 'RG445566', 'S'),
  (3, '0031', '30-71234567-9', 'AA812RT', 'G003', 'RG778899', 'B'),
  (3, '0031', '30-71234567-9', 'AA812RT', 'B101', 'RG990011', 'M'),
  (4, '0031', '30-71234567-9', 'GTR905', 'T007', 'RG123987', 'S'),
  (5, '0031', '30-70987654-3', 'PQA117', 'A005', 'RG321654', 'D');

INSERT INTO temp_cil (id, peccod, talcuit, udominio, cilcodh, cnroserie, ccodgest, cfecgest, ccapacidad,
                      cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult, fecvencrpc, cnuevo,
                      valcod, valnro, valgest, rvalcod, rvalnro, rvalgest, nrocertif) VALUES
  (1, '0031', '30-71234567-9', 'AD345KT', 'T050', 'TN55660011', 'M', CURDATE(), 50,
   DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
   DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
   'FAB', 'A', LAST_DAY(CURDATE() - INTERVAL 2 MONTH + INTERVAL 5 YEAR), 'S', 'V101', 'VA5566001',
   'M', '', '', '', ''),
  (2, '0031', '30-71234567-9', 'HKL482', 'F060', 'FB12003344', 'S', CURDATE(), 60, '04', '12',
   DATE_FORMAT(CURDATE() - INTERVAL 50 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 50 MONTH, '%y'),
   'CR01', 'A', LAST_DAY(CURDATE() - INTERVAL 50 MONTH + INTERVAL 5 YEAR), 'N', 'V201', 'VA1200334',
   'S', '', '', '', 'CR01004512'),
  (3, '0031', '30-71234567-9', 'AA812RT', 'I045', 'IX77889900', 'S', CURDATE(), 45, '06', '16',
   '06', '16', 'FAB', 'A', LAST_DAY(CURDATE() - INTERVAL 30 MONTH + INTERVAL 5 YEAR), 'N', 'V301',
   'VA7788990', 'S', '', '', '', ''),
  (4, '0031', '30-71234567-9', 'GTR905', 'W040', 'WT33221100', 'S', CURDATE(), 40, '02', '08',
   DATE_FORMAT(CURDATE() - INTERVAL 57 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 57 MONTH, '%y'),
   'CR02', 'A', LAST_DAY(CURDATE() - INTERVAL 57 MONTH + INTERVAL 5 YEAR), 'N', 'V401', 'VA3322110',
   'D', 'V102', 'VR0099887', 'M', 'CR02001987'),
  (5, '0031', '30-70987654-3', 'PQA117', 'M030', 'MT10101010', 'D', CURDATE(), 30, '09', '01',
   '09', '19', 'CR06', 'A', LAST_DAY(CURDATE() - INTERVAL 70 MONTH + INTERVAL 5 YEAR), 'N', 'V501',
   'VA1010101', 'D', '', '', '', 'CR06000777');

-- ------------------------------------------------- commitment letters
INSERT INTO carta_compromiso_cab (id, obleaanterior, fecha, propietario, tipo_doc, nro_doc,
                                  direccion_calle, direccion_nro, localidad, cp, telefono, dominio,
                                  taller, cilindro_para) VALUES
  (1, '3900009871', CURDATE() - INTERVAL 4 DAY, 'NUÑEZ OSCAR RUBEN', 'DNI', '16222444', 'MORENO',
   '1780', 'QUILMES', '1878', 'S/N', 'GTR905', 'TDM0001', 0),
  (2, '3900012044', CURDATE() - INTERVAL 1 DAY, 'CORREA MIGUEL ANGEL', 'DNI', '20111333',
   'BELGRANO', '455', 'MORON', '1708', '1161234455', 'HKL482', 'TDM0001', 1);

INSERT INTO carta_compromiso_det (id, id_carta, cil_marca, cil_nroserie, cil_capacidad, cil_masa,
                                  cil_fecha, cil_diametro, val_marca, val_modelo, val_nroserie,
                                  val_obs) VALUES
  (1, 1, 'WORTHINGTON', 'WT33221100', 40, 48.5, '02/2008', 273, 'LOVATO', 'LOV-M', 'VA3322110', ''),
  (2, 2, 'FABER', 'FB12003344', 60, 66, '04/2012', 323, 'OMB', 'SAVER', 'VA1200334',
   'VALVULA CON GOLPE');

-- ---------------------------------------------------- workshop master files
INSERT INTO operarios (id, nombre) VALUES
  (1, 'ACOSTA LEANDRO'), (2, 'BRITEZ DAMIAN'), (3, 'CORIA MATIAS'), (4, 'DUARTE FACUNDO'),
  (5, 'ESCOBAR LUCAS'), (6, 'FRIAS MARIELA');

INSERT INTO fallas (id, falla) VALUES
  (1, 'NO PASA A GAS'), (2, 'PIERDE GAS'), (3, 'FALTA DE POTENCIA EN GNC'), (4, 'TIRONEA EN GNC'),
  (5, 'SE APAGA AL PASAR A GAS'), (6, 'CONSUMO EXCESIVO'), (7, 'NO MARCA EL MANOMETRO'),
  (8, 'RUIDO EN REGULADOR'), (9, 'CHECK ENGINE ENCENDIDO'), (10, 'DIFICULTAD DE ARRANQUE'),
  (11, 'OLOR A GAS EN HABITACULO'), (12, 'LLAVE CONMUTADORA NO FUNCIONA');

INSERT INTO trabajos_realizados (id, trabajo_realizado) VALUES
  (1, 'CAMBIO DE MEMBRANAS DEL REGULADOR'), (2, 'AJUSTE DE MEZCLA'), (3, 'CAMBIO DE FILTRO DE GAS'),
  (4, 'REEMPLAZO DE MANGUERA'), (5, 'CAMBIO DE LLAVE CONMUTADORA'), (6, 'CALIBRACION DE INYECTORES'),
  (7, 'REEMPLAZO DE ELECTROVALVULA'), (8, 'AJUSTE DE CANERIA DE ALTA'), (9, 'SERVICE GENERAL GNC'),
  (10, 'REPROGRAMACION DE CENTRALITA');

INSERT INTO clientes (id, cliente) VALUES
  (1, 'PARTICULAR'), (2, 'AUTOMOTORES HAEDO S.A.'), (3, 'OESTE MOTORS'), (4, 'CONCESIONARIA DEL SUR'),
  (5, 'RIVADAVIA AUTOS'), (6, 'AGENCIA TAXIS UNIDOS');

INSERT INTO operaciones (id, operacion) VALUES
  ('SERV', 'SERVICE'), ('GARA', 'GARANTIA'), ('REPA', 'REPARACION'), ('INST', 'INSTALACION'),
  ('REVI', 'REVISION ANUAL');

INSERT INTO marcas (marca) VALUES
  ('CHEVROLET'), ('CITROEN'), ('FIAT'), ('FORD'), ('PEUGEOT'), ('RENAULT'), ('TOYOTA'), ('VOLKSWAGEN');

INSERT INTO marcas_modelos (marca_m, modelo_m)
  SELECT DISTINCT TRIM(umarca), TRIM(umodelo) FROM usr;
INSERT INTO marcas_modelos (marca_m, modelo_m) VALUES
  ('CHEVROLET', 'PRISMA'), ('PEUGEOT', '306'), ('FIAT', 'UNO'), ('FORD', 'FOCUS');

-- Owners of the vehicles, with their contact data.
INSERT INTO propietarios (propietario, apellido_propietario, nombre_propietario, tipoDoc, nroDoc,
                          email, telefono, celular, celular_carac, calle, nro, barrio, localidad,
                          codigoPostal, provincia)
SELECT TRIM(uapeynom), SUBSTRING_INDEX(TRIM(uapeynom), ' ', 1),
       TRIM(SUBSTRING(TRIM(uapeynom), LENGTH(SUBSTRING_INDEX(TRIM(uapeynom), ' ', 1)) + 2)),
       utipdoc, unrodoc, email, '', IF(te_tipo = 'CELULAR', TRIM(utelefono), ''),
       IFNULL(UCARACT, ''), ucalle, '', ubarrio, ulocalidad, ucodpostal, uprovincia
FROM usr WHERE tnrointopr BETWEEN 100001 AND 100240 ORDER BY tnrointopr;

-- Conversion orders of the two workshops that manage their workshop: the
-- last conversions of each, plus two orders for vehicles not converted yet.
INSERT INTO ott (taller, ott_nro, tipo_ott, estado, fecha, fecha_cerrada, dominio, propietario,
                 propietario_id, tipoDoc, nroDoc, email, telefono, celular, celular_carac, calle, nro,
                 barrio, localidad, codigoPostal, provincia, marca, modelo, anio, cilindrada, km, vin,
                 cliente, electricista, instalador, cunero, control_perdidas, programador, cilindro,
                 electronica, obs1, obs2, obs3, flexxus)
SELECT o.codtal, o.nro, 'C', 'C', o.ufecmont - INTERVAL 7 DAY, o.ufecmont, TRIM(o.udominio),
       TRIM(o.uapeynom), p.propietario_id, o.utipdoc, o.unrodoc, o.email, '',
       IF(o.te_tipo = 'CELULAR', TRIM(o.utelefono), ''), IFNULL(o.UCARACT, ''), o.ucalle, '',
       o.ubarrio, o.ulocalidad, o.ucodpostal, o.uprovincia, TRIM(o.umarca), TRIM(o.umodelo),
       o.uano, 1400 + (o.tnrointopr % 4) * 200, 20000 + (o.tnrointopr * 977) % 90000, o.vin,
       1 + o.tnrointopr % 6, 1 + o.tnrointopr % 6, 1 + (o.tnrointopr + 1) % 6,
       1 + (o.tnrointopr + 2) % 6, 1 + (o.tnrointopr + 3) % 6, 1 + (o.tnrointopr + 4) % 6,
       'CILINDRO 60 LTS CON SOPORTE', 'EMULADOR DE INYECCION', 'CLIENTE PIDE TURNO POR LA MAÑANA',
       '', '', 20000 + o.nro
FROM (SELECT u.*, ROW_NUMBER() OVER (PARTITION BY u.codtal ORDER BY u.ufecmont, u.tnrointopr) AS nro
      FROM usr u WHERE u.ucodgest = 'C' AND u.codtal IN ('TDM0001', 'TAL0005')
        AND u.ufecmont > CURDATE() - INTERVAL 1 YEAR) o
LEFT JOIN (SELECT propietario, MIN(propietario_id) AS propietario_id FROM propietarios
           GROUP BY propietario) p ON p.propietario = TRIM(o.uapeynom);

INSERT INTO ott (taller, ott_nro, tipo_ott, estado, fecha, dominio, propietario, propietario_id,
                 tipoDoc, nroDoc, email, telefono, celular, celular_carac, calle, nro, barrio,
                 localidad, codigoPostal, provincia, marca, modelo, anio, cilindrada, km, vin, cliente,
                 electricista, instalador, cunero, control_perdidas, programador, cilindro,
                 electronica, obs1, obs2, obs3, flexxus)
SELECT 'TDM0001', MAX(ott_nro) + 1, 'C', 'A', CURDATE() - INTERVAL 1 DAY, 'AD345KT',
       'LUNA ESTEBAN MARIO', 0, 'DNI', '31456789', 'eluna@gmail.com', '', '54327788', '11',
       'AV. RIVADAVIA 13800', '', 'CENTRO', 'RAMOS MEJIA', '1704', 'BUENOS AIRES', 'CHEVROLET',
       'PRISMA', 2019, 1400, 48200, '8AGKB69T0KR123456', 3, 1, 2, 3, 4, 5,
       'CILINDRO 50 LTS BAJO PISO', 'KIT 5TA GENERACION', 'SE CARGO COMO OPERACION PENDIENTE', '', '', 0
FROM ott WHERE taller = 'TDM0001';

INSERT INTO ott (taller, ott_nro, tipo_ott, estado, fecha, dominio, propietario, propietario_id,
                 tipoDoc, nroDoc, email, telefono, celular, celular_carac, calle, nro, barrio,
                 localidad, codigoPostal, provincia, marca, modelo, anio, cilindrada, km, vin, cliente,
                 electricista, instalador, cunero, control_perdidas, programador, cilindro,
                 electronica, obs1, obs2, obs3, flexxus)
SELECT 'TDM0001', MAX(ott_nro) + 1, 'C', 'A', CURDATE(), 'AF118PX', 'IBARRA SOLEDAD', 0, 'DNI',
       '35111999', '', '', '67781122', '11', 'SARMIENTO 640', '', 'HAEDO', 'MORON', '1706',
       'BUENOS AIRES', 'TOYOTA', 'ETIOS', 2022, 1500, 15300, '8AJKB3CD5N1234567', 2, 2, 3, 4, 5, 6,
       'CILINDRO 45 LTS', 'KIT 5TA GENERACION CON EMULADOR', 'ENTREGA ESTIMADA EN 48 HS', '', '', 0
FROM ott WHERE taller = 'TDM0001';

-- The customers of the two open orders are in the owners file too.
INSERT INTO propietarios (propietario, apellido_propietario, nombre_propietario, tipoDoc, nroDoc, email,
                          telefono, celular, celular_carac, calle, nro, barrio, localidad, codigoPostal,
                          provincia)
SELECT propietario, SUBSTRING_INDEX(propietario, ' ', 1),
       TRIM(SUBSTRING(propietario, LENGTH(SUBSTRING_INDEX(propietario, ' ', 1)) + 2)), tipoDoc, nroDoc,
       email, '', celular, celular_carac, calle, '', barrio, localidad, codigoPostal, provincia
FROM ott WHERE taller = 'TDM0001' AND propietario_id = 0 ORDER BY ott_nro;
UPDATE ott o JOIN propietarios p ON p.propietario = o.propietario AND p.nroDoc = o.nroDoc
SET o.propietario_id = p.propietario_id WHERE o.propietario_id = 0;

-- Closed orders carry the regulator and cylinders that went into the car.
INSERT INTO ott_reg (TALLER, OTT_ID, RCODREGH, RNROSERIE, RCODGEST, RNUEVO)
SELECT o.taller, o.ott_nro, r.rcodregh, r.rnroserie, 'C', 'S'
FROM ott o JOIN usr u ON u.codtal = o.taller AND TRIM(u.udominio) = o.dominio AND u.ucodgest = 'C'
JOIN reg r ON r.talcuit = u.talcuit AND r.tnrointopr = u.tnrointopr;

INSERT INTO ott_reg (TALLER, OTT_ID, RCODREGH, RNROSERIE, RCODGEST, RNUEVO)
SELECT taller, ott_nro, 'T009', 'RG901122', 'C', 'S' FROM ott WHERE taller = 'TDM0001' AND dominio = 'AD345KT';

INSERT INTO ott_cil (TALLER, OTT_ID, CILCODH, CNROSERIE, CCODGEST, CCAPACIDAD, CMESFABR, CANOFABR,
                     CUPHCRPC, CUPHMES, CUPHANO, FECVENCRPC, CUPHRESULT, CNUEVO, VALCOD, VALNRO,
                     VALGEST, RVALCOD, RVALNRO, RVALGEST, NROCERTIF)
SELECT o.taller, o.ott_nro, c.cilcodh, c.cnroserie, 'M', c.ccapacidad, c.cmesfabr, c.canofabr,
       c.cuphcrpc, c.cuphmes, c.cuphano, c.fecvencrpc, 'A', 'S', c.valcod, c.valnro, 'M', '', '', '', ''
FROM ott o JOIN usr u ON u.codtal = o.taller AND TRIM(u.udominio) = o.dominio AND u.ucodgest = 'C'
JOIN cil c ON c.talcuit = u.talcuit AND c.tnrointopr = u.tnrointopr;

INSERT INTO ott_cil (TALLER, OTT_ID, CILCODH, CNROSERIE, CCODGEST, CCAPACIDAD, CMESFABR, CANOFABR,
                     CUPHCRPC, CUPHMES, CUPHANO, FECVENCRPC, CUPHRESULT, CNUEVO, VALCOD, VALNRO,
                     VALGEST, RVALCOD, RVALNRO, RVALGEST, NROCERTIF)
SELECT taller, ott_nro, 'T050', 'TN55660011', 'M', 50,
       DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
       'FAB', DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
       LAST_DAY(CURDATE() - INTERVAL 2 MONTH + INTERVAL 5 YEAR), 'A', 'S', 'V101', 'VA5566001', 'M',
       '', '', '', ''
FROM ott WHERE taller = 'TDM0001' AND dominio = 'AD345KT';

-- A taxi takes four cylinders: all are stored, the printed order lists three.
INSERT INTO ott_cil (TALLER, OTT_ID, CILCODH, CNROSERIE, CCODGEST, CCAPACIDAD, CMESFABR, CANOFABR,
                     CUPHCRPC, CUPHMES, CUPHANO, FECVENCRPC, CUPHRESULT, CNUEVO, VALCOD, VALNRO,
                     VALGEST, RVALCOD, RVALNRO, RVALGEST, NROCERTIF)
SELECT o.taller, o.ott_nro, 'T050', CONCAT('TN5566001', k.seq), 'M', 50,
       DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
       'FAB', DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%m'), DATE_FORMAT(CURDATE() - INTERVAL 2 MONTH, '%y'),
       LAST_DAY(CURDATE() - INTERVAL 2 MONTH + INTERVAL 5 YEAR), 'A', 'S', 'V101', CONCAT('VA556600', k.seq),
       'M', '', '', '', ''
FROM ott o JOIN seq_2_to_4 k WHERE o.taller = 'TDM0001' AND o.dominio = 'AD345KT';

-- Work orders: vehicles come back to the workshops that manage their
-- workshop, the recently converted ones within their warranty.
INSERT INTO opv (taller, opv_nro, fecha, dominio, marca, modelo, anio, vin, km, cliente, celular,
                 celular_carac, concesionario, recepcionista, tecnico, tipo_operacion, garantia,
                 estado, otras_fallas, otras_fallas_2, diagnostico1, diagnostico2, presupuesto,
                 presupuesto_desc, presupuesto_desc_2, presupuesto_desc_3, horas_hombre,
                 entrega_fecha, entrega_hora, entregado_fecha, abonado_importe, abonado_forma)
SELECT w.taller, w.nro, TIMESTAMP(w.dia, MAKETIME(8 + w.n % 9, 30 * (w.n % 2), 0)),
       TRIM(w.udominio), TRIM(w.umarca), TRIM(w.umodelo), w.uano, LEFT(w.vin, 20),
       30000 + (w.n * 7919) % 120000, p.propietario_id, IF(w.te_tipo = 'CELULAR', TRIM(w.utelefono), ''),
       IFNULL(w.UCARACT, ''), 1 + w.n % 6, 1 + w.n % 3, 0,
       ELT(1 + w.n % 5, 'SERV', 'GARA', 'REPA', 'INST', 'REVI'),
       CASE WHEN w.ucodgest = 'C' AND w.ufecvenhab > CURDATE() AND w.codtal <> 'TDM0002'
                 AND w.n % 7 <> 0 THEN 'SI'
            WHEN w.n % 11 = 0 THEN 'RE' ELSE 'NO' END,
       0, IF(w.n % 4 = 0, 'RUIDO AL ACELERAR', ''), '',
       ELT(1 + w.n % 5, 'MEMBRANA DEL REGULADOR GASTADA', 'FILTRO DE GAS SATURADO',
           'PERDIDA EN UNION DE CAÑERIA', 'ELECTROVALVULA NO ABRE', 'MEZCLA POBRE EN ALTA'),
       '', 15000 + (w.n % 9) * 8500,
       ELT(1 + w.n % 4, 'KIT DE MEMBRANAS Y MANO DE OBRA', 'FILTRO Y AJUSTE', 'MANGUERA Y ABRAZADERAS',
           'ELECTROVALVULA NUEVA'), '', '', 1 + (w.n % 4) * 0.5,
       w.dia + INTERVAL 2 DAY, '18:00', IF(w.dia < CURDATE() - INTERVAL 3 DAY, w.dia + INTERVAL 2 DAY, NULL),
       IF(w.dia < CURDATE() - INTERVAL 3 DAY, 15000 + (w.n % 9) * 8500, 0),
       IF(w.dia < CURDATE() - INTERVAL 3 DAY, ELT(1 + w.n % 3, 'EFECTIVO', 'CHEQUES', 'TARJETA'), '')
FROM (SELECT u.*, u.tnrointopr - 100000 AS n,
             IF(u.codtal = 'TAL0005', 'TAL0005', 'TDM0001') AS taller,
             CURDATE() - INTERVAL ((u.tnrointopr * 17) % 120) DAY AS dia,
             ROW_NUMBER() OVER (PARTITION BY IF(u.codtal = 'TAL0005', 'TAL0005', 'TDM0001')
                                ORDER BY CURDATE() - INTERVAL ((u.tnrointopr * 17) % 120) DAY,
                                         u.tnrointopr) AS nro
      FROM usr u
      WHERE u.tnrointopr BETWEEN 100001 AND 100240
        AND (u.tnrointopr % 4 = 0 OR u.codtal = 'TAL0005' OR (u.ucodgest = 'C' AND u.tnrointopr > 100060 AND u.tnrointopr % 2 = 0))
        AND u.codtal IN ('TDM0001', 'TDM0002', 'TAL0005')) w
LEFT JOIN (SELECT propietario, MIN(propietario_id) AS propietario_id FROM propietarios
           GROUP BY propietario) p ON p.propietario = TRIM(w.uapeynom);

-- One to three faults per order, and the jobs done with their technicians.
INSERT INTO opv_fallas (taller_id, opv_nro, falla)
SELECT o.taller, o.opv_nro, 1 + (o.opv_nro * 5 + k.seq * 7 + LENGTH(o.dominio)) % 12
FROM opv o JOIN seq_1_to_3 k ON k.seq <= 1 + o.opv_nro % 3
ORDER BY o.taller, o.opv_nro, k.seq;

INSERT INTO opv_trabajo_realizado (taller_id, opv_nro, trabajo_realizado, tecnico)
SELECT o.taller, o.opv_nro, 1 + (o.opv_nro * 3 + k.seq * 4) % 10, 1 + (o.opv_nro + k.seq) % 6
FROM opv o JOIN seq_1_to_2 k ON k.seq <= 1 + o.opv_nro % 2
WHERE o.entregado_fecha IS NOT NULL
ORDER BY o.taller, o.opv_nro, k.seq;

UPDATE opv SET tecnico = 1 + opv_nro % 6 WHERE entregado_fecha IS NOT NULL;
