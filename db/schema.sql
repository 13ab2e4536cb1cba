-- Tarvil central schema: the PEC's operations database and the post-sales
-- database. Both are created from this one file: the operations database holds
-- every table below; the post-sales database needs the post-sales tables plus
-- its own `codreg`, `usr` and `clientes`, and holding the rest does no harm.
--
-- The tables are shared with the PEC's back office: names, columns and types
-- are theirs. What is ours are the keys, the indexes and AUTO_INCREMENT on the
-- generated ids (an insert that passes 0 gets the next number).
--
-- No compound statements in this file: the test harness splits it on ';'.

SET NAMES utf8mb4;

-- ---------------------------------------------------------------- identity
CREATE TABLE pec (
  PECCOD varchar(4) NOT NULL,
  PECRSOC varchar(100) NULL,
  PMATRESHAB varchar(10) NULL,
  PRESHABAYN varchar(80) NULL,
  DIRECCION varchar(100) NULL,
  Clave varchar(30) NULL,
  PRIMARY KEY (PECCOD)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE res (
  RMATRESHAB varchar(10) NOT NULL,
  RAPELLIDO varchar(40) NULL,
  RNOMBRE varchar(40) NULL,
  RNRODOC varchar(15) NULL,
  PRIMARY KEY (RMATRESHAB)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE tal (
  tcodigoint varchar(7) NOT NULL,
  Password varchar(25) NULL,
  Estado int NOT NULL DEFAULT 1,
  TRAZSOC varchar(80) NULL,
  TALCUIT varchar(13) NULL,
  RMATRESHAB varchar(10) NULL,
  TCALLE varchar(50) NULL,
  TNUMERO varchar(10) NULL,
  TLOCALIDAD varchar(40) NULL,
  TTELEFONO varchar(30) NULL,
  thabilitad int NOT NULL DEFAULT 1,
  codtalaso varchar(7) NULL,
  sello1 varchar(60) NULL,
  sello2 varchar(60) NULL,
  sello3 varchar(60) NULL,
  sello4 varchar(60) NULL,
  copias int NULL DEFAULT 1,
  localidad varchar(40) NULL,
  provincia varchar(40) NULL,
  hoja int NULL DEFAULT 0,
  pertenece int NOT NULL DEFAULT 0,
  garantia int NOT NULL DEFAULT 0,
  mensajeWhatsApp text NULL,
  mensajeWhatsAppPh text NULL,
  PRIMARY KEY (tcodigoint),
  KEY tal_talcuit (TALCUIT)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE sistema (
  version int NOT NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE userpa (
  id int NOT NULL AUTO_INCREMENT,
  login varchar(30) NULL,
  password varchar(30) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE mensajes (
  mensaje_id int NOT NULL AUTO_INCREMENT,
  mensaje text NULL,
  PRIMARY KEY (mensaje_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE mensajes_destinatarios (
  mensaje_id int NOT NULL,
  taller varchar(7) NOT NULL,
  leido int NOT NULL DEFAULT 0,
  PRIMARY KEY (mensaje_id, taller),
  KEY md_taller_leido (taller, leido, mensaje_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ------------------------------------------------- registered operations
CREATE TABLE usr (
  peccod char(4) NOT NULL DEFAULT '',
  codtal char(7) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  pmatreshab char(10) NULL,
  rmatreshab char(10) NULL,
  ucodgest char(1) NULL,
  udescgest char(12) NULL,
  uobleaant char(10) NULL,
  uobanoant varchar(4) NULL,
  uobleanew char(10) NOT NULL DEFAULT '',
  uobanonew char(2) NULL,
  umarca char(10) NULL,
  umodelo char(20) NULL,
  uano char(4) NULL,
  utipuso varchar(2) NULL,
  uapeynom char(34) NULL,
  utipdoc varchar(10) NULL,
  unrodoc varchar(20) NULL,
  ucalle varchar(50) NULL,
  unro varchar(10) NULL,
  ubarrio char(17) NULL,
  ucodpostal char(4) NULL,
  ulocalidad char(18) NULL,
  uprovincia char(20) NULL,
  UCARACT varchar(5) NULL,
  utelefono char(10) NULL,
  te_tipo varchar(10) NULL,
  email char(50) NULL,
  ufecrev date NULL,
  ufecmont date NULL,
  ufechab date NULL,
  ufecvenhab date NULL,
  uobservac text NULL,
  inyeccion varchar(2) NULL,
  vin varchar(30) NULL,
  xfecasig date NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  SUJCIL_COD varchar(10) NULL,
  SUJCIL_NRO varchar(10) NULL,
  ELVALN_COD varchar(10) NULL,
  ELVALN_NRO varchar(10) NULL,
  ELVALG_COD varchar(10) NULL,
  ELVALG_NRO varchar(10) NULL,
  MEZCL_COD varchar(10) NULL,
  MEZCL_NRO varchar(10) NULL,
  VENTEO_COD varchar(10) NULL,
  VENTEO_NRO varchar(10) NULL,
  LLAVEC_COD varchar(10) NULL,
  LLAVEC_NRO varchar(10) NULL,
  VALCAI_COD varchar(10) NULL,
  VALCAI_NRO varchar(10) NULL,
  VALCAE_COD varchar(10) NULL,
  VALCAE_NRO varchar(10) NULL,
  MANG_COD varchar(10) NULL,
  MANG_NRO varchar(10) NULL,
  MANOM_COD varchar(10) NULL,
  MANOM_NRO varchar(10) NULL,
  ACCE_COD varchar(10) NULL,
  ACCE_NRO varchar(10) NULL,
  TUBER_COD varchar(10) NULL,
  TUBER_NRO varchar(10) NULL,
  PRIMARY KEY (talcuit, tnrointopr),
  KEY usr_dominio (udominio),
  KEY usr_obleanew (uobleanew),
  KEY usr_obleaant (uobleaant),
  KEY usr_apeynom (uapeynom),
  KEY usr_codtal_asig (codtal, xfecasig),
  KEY usr_codtal_venc (codtal, ufecvenhab),
  KEY usr_codtal_rev (codtal, ufecrev)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE reg (
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  rcodregh char(4) NULL,
  rnroserie char(25) NOT NULL DEFAULT '',
  rcodgest varchar(12) NULL,
  rfecgest date NULL,
  rnuevo varchar(2) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  PRIMARY KEY (talcuit, tnrointopr, rnroserie),
  KEY reg_serie (rnroserie)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE cil (
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  cilcodh char(4) NULL,
  cnroserie char(25) NOT NULL DEFAULT '',
  ccodgest varchar(12) NULL,
  cfecgest date NULL,
  ccapacidad int NULL,
  cmesfabr varchar(2) NULL,
  canofabr varchar(4) NULL,
  cuphmes varchar(2) NULL,
  cuphano varchar(4) NULL,
  cuphcrpc varchar(4) NULL,
  cuphresult varchar(10) NULL,
  fecvencrpc date NULL,
  cnuevo varchar(2) NULL,
  valcod varchar(4) NULL,
  valnro varchar(25) NULL,
  valgest varchar(12) NULL,
  rvalcod varchar(4) NULL,
  rvalnro varchar(25) NULL,
  rvalgest varchar(12) NULL,
  nrocertif varchar(10) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  PRIMARY KEY (talcuit, tnrointopr, cnroserie),
  KEY cil_serie (cnroserie),
  KEY cil_valvula (valcod, valnro),
  KEY cil_venc (fecvencrpc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ------------------------------------------ consolidated history (all PECs)
CREATE TABLE usr_full (
  peccod char(4) NOT NULL DEFAULT '',
  codtal char(7) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  pmatreshab char(10) NULL,
  rmatreshab char(10) NULL,
  ucodgest char(1) NULL,
  udescgest char(12) NULL,
  uobleaant char(10) NULL,
  uobanoant varchar(4) NULL,
  uobleanew char(10) NOT NULL DEFAULT '',
  uobanonew char(2) NULL,
  umarca char(10) NULL,
  umodelo char(20) NULL,
  uano char(4) NULL,
  utipuso varchar(2) NULL,
  uapeynom char(34) NULL,
  utipdoc varchar(10) NULL,
  unrodoc varchar(20) NULL,
  ucalle varchar(50) NULL,
  unro varchar(10) NULL,
  ubarrio char(17) NULL,
  ucodpostal char(4) NULL,
  ulocalidad char(18) NULL,
  uprovincia char(20) NULL,
  UCARACT varchar(5) NULL,
  utelefono char(10) NULL,
  te_tipo varchar(10) NULL,
  email char(50) NULL,
  ufecrev date NULL,
  ufecmont date NULL,
  ufechab date NULL,
  ufecvenhab date NULL,
  uobservac text NULL,
  inyeccion varchar(2) NULL,
  vin varchar(30) NULL,
  xfecasig date NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  SUJCIL_COD varchar(10) NULL,
  SUJCIL_NRO varchar(10) NULL,
  ELVALN_COD varchar(10) NULL,
  ELVALN_NRO varchar(10) NULL,
  ELVALG_COD varchar(10) NULL,
  ELVALG_NRO varchar(10) NULL,
  MEZCL_COD varchar(10) NULL,
  MEZCL_NRO varchar(10) NULL,
  VENTEO_COD varchar(10) NULL,
  VENTEO_NRO varchar(10) NULL,
  LLAVEC_COD varchar(10) NULL,
  LLAVEC_NRO varchar(10) NULL,
  VALCAI_COD varchar(10) NULL,
  VALCAI_NRO varchar(10) NULL,
  VALCAE_COD varchar(10) NULL,
  VALCAE_NRO varchar(10) NULL,
  MANG_COD varchar(10) NULL,
  MANG_NRO varchar(10) NULL,
  MANOM_COD varchar(10) NULL,
  MANOM_NRO varchar(10) NULL,
  ACCE_COD varchar(10) NULL,
  ACCE_NRO varchar(10) NULL,
  TUBER_COD varchar(10) NULL,
  TUBER_NRO varchar(10) NULL,
  PRIMARY KEY (peccod, talcuit, tnrointopr),
  KEY usr_full_dominio (udominio),
  KEY usr_full_obleanew (uobleanew)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE reg_full (
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  rcodregh char(4) NULL,
  rnroserie char(25) NOT NULL DEFAULT '',
  rcodgest varchar(12) NULL,
  rfecgest date NULL,
  rnuevo varchar(2) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  PRIMARY KEY (peccod, talcuit, tnrointopr, rnroserie),
  KEY reg_full_serie (rnroserie)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE cil_full (
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NOT NULL DEFAULT 0,
  udominio char(9) NOT NULL DEFAULT '',
  cilcodh char(4) NULL,
  cnroserie char(25) NOT NULL DEFAULT '',
  ccodgest varchar(12) NULL,
  cfecgest date NULL,
  ccapacidad int NULL,
  cmesfabr varchar(2) NULL,
  canofabr varchar(4) NULL,
  cuphmes varchar(2) NULL,
  cuphano varchar(4) NULL,
  cuphcrpc varchar(4) NULL,
  cuphresult varchar(10) NULL,
  fecvencrpc date NULL,
  cnuevo varchar(2) NULL,
  valcod varchar(4) NULL,
  valnro varchar(25) NULL,
  valgest varchar(12) NULL,
  rvalcod varchar(4) NULL,
  rvalnro varchar(25) NULL,
  rvalgest varchar(12) NULL,
  nrocertif varchar(10) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  PRIMARY KEY (peccod, talcuit, tnrointopr, cnroserie),
  KEY cil_full_serie (cnroserie)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ---------------------------------------- pending operations (temp_*)
CREATE TABLE temp_usr (
  id int NOT NULL AUTO_INCREMENT,
  estado int NOT NULL DEFAULT 0,
  hora timestamp NOT NULL DEFAULT current_timestamp(),
  dnistring mediumblob NULL,
  dorsostring mediumblob NULL,
  certificadostring mediumblob NULL,
  dnipath varchar(255) NULL,
  dorsopath varchar(255) NULL,
  certificadopath varchar(255) NULL,
  peccod char(4) NOT NULL DEFAULT '',
  codtal char(7) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NULL,
  udominio char(9) NOT NULL DEFAULT '',
  pmatreshab char(10) NULL,
  rmatreshab char(10) NULL,
  ucodgest char(1) NULL,
  udescgest char(12) NULL,
  uobleaant char(10) NULL,
  uobanoant varchar(4) NULL,
  uobleanew char(10) NOT NULL DEFAULT '',
  uobanonew char(2) NULL,
  umarca char(10) NULL,
  umodelo char(20) NULL,
  uano char(4) NULL,
  utipuso varchar(2) NULL,
  uapeynom char(34) NULL,
  utipdoc varchar(10) NULL,
  unrodoc varchar(20) NULL,
  ucalle varchar(50) NULL,
  unro varchar(10) NULL,
  ubarrio char(17) NULL,
  ucodpostal char(4) NULL,
  ulocalidad char(18) NULL,
  uprovincia char(20) NULL,
  UCARACT varchar(5) NULL,
  utelefono char(10) NULL,
  te_tipo varchar(10) NULL,
  email char(50) NULL,
  ufecrev date NULL,
  ufecmont date NULL,
  ufechab date NULL,
  ufecvenhab date NULL,
  uobservac text NULL,
  inyeccion varchar(2) NULL,
  vin varchar(30) NULL,
  xfecasig date NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  SUJCIL_COD varchar(10) NULL,
  SUJCIL_NRO varchar(10) NULL,
  ELVALN_COD varchar(10) NULL,
  ELVALN_NRO varchar(10) NULL,
  ELVALG_COD varchar(10) NULL,
  ELVALG_NRO varchar(10) NULL,
  MEZCL_COD varchar(10) NULL,
  MEZCL_NRO varchar(10) NULL,
  VENTEO_COD varchar(10) NULL,
  VENTEO_NRO varchar(10) NULL,
  LLAVEC_COD varchar(10) NULL,
  LLAVEC_NRO varchar(10) NULL,
  VALCAI_COD varchar(10) NULL,
  VALCAI_NRO varchar(10) NULL,
  VALCAE_COD varchar(10) NULL,
  VALCAE_NRO varchar(10) NULL,
  MANG_COD varchar(10) NULL,
  MANG_NRO varchar(10) NULL,
  MANOM_COD varchar(10) NULL,
  MANOM_NRO varchar(10) NULL,
  ACCE_COD varchar(10) NULL,
  ACCE_NRO varchar(10) NULL,
  TUBER_COD varchar(10) NULL,
  TUBER_NRO varchar(10) NULL,
  PRIMARY KEY (id),
  KEY temp_usr_dominio (udominio, id),
  KEY temp_usr_codtal (codtal, id),
  KEY temp_usr_codtal_estado (codtal, estado)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE temp_reg (
  id int NOT NULL,
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NULL,
  udominio char(9) NOT NULL DEFAULT '',
  rcodregh char(4) NULL,
  rnroserie char(25) NOT NULL DEFAULT '',
  rcodgest varchar(12) NULL,
  rfecgest date NULL,
  rnuevo varchar(2) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  KEY temp_reg_id (id),
  KEY temp_reg_serie (rnroserie)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE temp_cil (
  id int NOT NULL,
  peccod char(4) NOT NULL DEFAULT '',
  talcuit char(13) NOT NULL DEFAULT '',
  tnrointopr decimal(11,0) NULL,
  udominio char(9) NOT NULL DEFAULT '',
  cilcodh char(4) NULL,
  cnroserie char(25) NOT NULL DEFAULT '',
  ccodgest varchar(12) NULL,
  cfecgest date NULL,
  ccapacidad int NULL,
  cmesfabr varchar(2) NULL,
  canofabr varchar(4) NULL,
  cuphmes varchar(2) NULL,
  cuphano varchar(4) NULL,
  cuphcrpc varchar(4) NULL,
  cuphresult varchar(10) NULL,
  fecvencrpc date NULL,
  cnuevo varchar(2) NULL,
  valcod varchar(4) NULL,
  valnro varchar(25) NULL,
  valgest varchar(12) NULL,
  rvalcod varchar(4) NULL,
  rvalnro varchar(25) NULL,
  rvalgest varchar(12) NULL,
  nrocertif varchar(10) NULL,
  xfecmodrec date NULL,
  xtipoprrec char(1) NULL,
  KEY temp_cil_id (id),
  KEY temp_cil_serie (cnroserie)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ------------------------------------------------------------ catalogues
CREATE TABLE codreg (
  CODIGO varchar(4) NOT NULL,
  MARCA varchar(30) NULL,
  MODELO varchar(30) NULL,
  PRIMARY KEY (CODIGO)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE codcil (
  CODIGO varchar(4) NOT NULL,
  MARCA varchar(30) NULL,
  MODELO varchar(30) NULL,
  CAPACIDAD int NULL,
  VENC int NULL,
  PRIMARY KEY (CODIGO)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE valcod (
  CODVAL varchar(4) NOT NULL,
  MARCA varchar(30) NULL,
  MODELO varchar(30) NULL,
  TIPO varchar(20) NULL,
  PRIMARY KEY (CODVAL)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE codcrp (
  CODIGO varchar(4) NOT NULL,
  NOMBRE varchar(60) NULL,
  DIRECCION varchar(60) NULL,
  LOCALIDAD varchar(40) NULL,
  PROVINCIA varchar(30) NULL,
  TELEFONO varchar(30) NULL,
  PRIMARY KEY (CODIGO),
  KEY codcrp_nombre (NOMBRE)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE carta_crpc (
  crpc varchar(40) NOT NULL,
  PRIMARY KEY (crpc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ----------------------------------------------------- commitment letters
CREATE TABLE carta_compromiso_cab (
  id int NOT NULL AUTO_INCREMENT,
  obleaanterior varchar(10) NULL,
  fecha date NULL,
  propietario varchar(50) NULL,
  tipo_doc varchar(10) NULL,
  nro_doc varchar(20) NULL,
  direccion_calle varchar(50) NULL,
  direccion_nro varchar(10) NULL,
  localidad varchar(30) NULL,
  cp varchar(8) NULL,
  telefono varchar(20) NULL,
  dominio varchar(9) NULL,
  taller varchar(7) NULL,
  cilindro_para int NULL,
  PRIMARY KEY (id),
  KEY cc_cab_oblea (obleaanterior, id),
  KEY cc_cab_fecha_taller (fecha, taller)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE carta_compromiso_det (
  id int NOT NULL AUTO_INCREMENT,
  id_carta int NOT NULL,
  cil_marca varchar(30) NULL,
  cil_nroserie varchar(25) NULL,
  cil_capacidad float NULL,
  cil_masa float NULL,
  cil_fecha varchar(10) NULL,
  cil_diametro float NULL,
  val_marca varchar(30) NULL,
  val_modelo varchar(20) NULL,
  val_nroserie varchar(25) NULL,
  val_obs varchar(50) NULL,
  PRIMARY KEY (id),
  KEY cc_det_carta (id_carta)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ----------------------------------------------------------- appointments
CREATE TABLE turnos_horarios (
  hora varchar(5) NOT NULL,
  PRIMARY KEY (hora)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE turnos_agenda (
  taller varchar(7) NOT NULL,
  fecha date NOT NULL,
  hora varchar(5) NOT NULL,
  cliente varchar(50) NULL,
  vehiculo varchar(50) NULL,
  dominio varchar(9) NULL,
  celular varchar(20) NULL,
  falla varchar(128) NULL,
  PRIMARY KEY (taller, fecha, hora)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ------------------------------------------------------------- post-sales
CREATE TABLE opv (
  taller varchar(7) NOT NULL,
  opv_nro int NOT NULL,
  fecha datetime NULL,
  dominio varchar(7) NULL,
  marca varchar(20) NULL,
  modelo varchar(20) NULL,
  anio int NULL,
  vin varchar(20) NULL,
  km int NULL,
  cliente int NULL,
  celular varchar(20) NULL,
  celular_carac char(5) NULL,
  concesionario int NULL,
  recepcionista int NULL,
  tecnico int NULL,
  tipo_operacion varchar(4) NULL,
  garantia varchar(2) NULL,
  estado int NULL,
  otras_fallas varchar(128) NULL,
  otras_fallas_2 varchar(128) NULL,
  diagnostico1 varchar(128) NULL,
  diagnostico2 varchar(128) NULL,
  presupuesto decimal(12,2) NULL,
  presupuesto_desc varchar(128) NULL,
  presupuesto_desc_2 varchar(128) NULL,
  presupuesto_desc_3 varchar(128) NULL,
  horas_hombre decimal(12,2) NULL,
  entrega_fecha date NULL,
  entrega_hora varchar(5) NULL,
  entregado_fecha date NULL,
  abonado_importe decimal(12,2) NULL,
  abonado_forma varchar(10) NULL,
  PRIMARY KEY (taller, opv_nro),
  KEY opv_dominio (dominio),
  KEY opv_fecha (taller, fecha),
  -- the dealer and model rankings and the orders of a model
  KEY opv_concesionario (concesionario, fecha),
  KEY opv_modelo (marca, modelo, fecha)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE opv_fallas (
  id int NOT NULL AUTO_INCREMENT,
  taller_id varchar(7) NOT NULL,
  opv_nro int NOT NULL,
  falla int NULL,
  PRIMARY KEY (id),
  -- the fault too, so a ranking counts from the index alone
  KEY opv_fallas_orden (taller_id, opv_nro, falla),
  KEY opv_fallas_falla (falla)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE opv_trabajo_realizado (
  id int NOT NULL AUTO_INCREMENT,
  taller_id varchar(7) NOT NULL,
  opv_nro int NOT NULL,
  trabajo_realizado int NULL,
  tecnico int NULL,
  PRIMARY KEY (id),
  KEY opv_tr_orden (taller_id, opv_nro)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE ott (
  id int NOT NULL AUTO_INCREMENT,
  taller varchar(7) NOT NULL,
  ott_nro int NOT NULL,
  tipo_ott varchar(1) NULL,
  estado varchar(1) NULL,
  fecha date NULL,
  fecha_cerrada date NULL,
  dominio varchar(7) NULL,
  propietario varchar(50) NULL,
  propietario_id int NULL,
  tipoDoc varchar(4) NULL,
  nroDoc varchar(13) NULL,
  email varchar(128) NULL,
  telefono varchar(20) NULL,
  celular varchar(20) NULL,
  celular_carac varchar(5) NULL,
  calle varchar(50) NULL,
  nro varchar(5) NULL,
  barrio varchar(17) NULL,
  localidad varchar(30) NULL,
  codigoPostal varchar(8) NULL,
  provincia varchar(25) NULL,
  marca varchar(20) NULL,
  modelo varchar(20) NULL,
  anio int NULL,
  cilindrada int NULL,
  km int NULL,
  vin varchar(30) NULL,
  cliente int NULL,
  electricista int NULL,
  instalador int NULL,
  cunero int NULL,
  control_perdidas int NULL,
  programador int NULL,
  cilindro varchar(60) NULL,
  electronica varchar(60) NULL,
  obs1 varchar(105) NULL,
  obs2 varchar(105) NULL,
  obs3 varchar(105) NULL,
  flexxus int NULL,
  PRIMARY KEY (id),
  UNIQUE KEY ott_taller_nro (taller, ott_nro),
  KEY ott_dominio (dominio),
  KEY ott_fecha (taller, fecha)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE ott_reg (
  TALLER varchar(7) NOT NULL,
  OTT_ID int NOT NULL,
  RCODREGH varchar(4) NULL,
  RNROSERIE varchar(25) NULL,
  RCODGEST varchar(12) NULL,
  RNUEVO varchar(2) NULL,
  KEY ott_reg_orden (TALLER, OTT_ID)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE ott_cil (
  TALLER varchar(7) NOT NULL,
  OTT_ID int NOT NULL,
  CILCODH varchar(4) NULL,
  CNROSERIE varchar(25) NULL,
  CCODGEST varchar(12) NULL,
  CCAPACIDAD int NULL,
  CMESFABR varchar(2) NULL,
  CANOFABR varchar(4) NULL,
  CUPHCRPC varchar(4) NULL,
  CUPHMES varchar(2) NULL,
  CUPHANO varchar(4) NULL,
  FECVENCRPC date NULL,
  CUPHRESULT varchar(10) NULL,
  CNUEVO varchar(2) NULL,
  VALCOD varchar(4) NULL,
  VALNRO varchar(25) NULL,
  VALGEST varchar(12) NULL,
  RVALCOD varchar(4) NULL,
  RVALNRO varchar(25) NULL,
  RVALGEST varchar(12) NULL,
  NROCERTIF varchar(10) NULL,
  KEY ott_cil_orden (TALLER, OTT_ID)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ------------------------------------------------------------ master files
CREATE TABLE operarios (
  id int NOT NULL AUTO_INCREMENT,
  nombre varchar(50) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE fallas (
  id int NOT NULL AUTO_INCREMENT,
  falla varchar(60) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE trabajos_realizados (
  id int NOT NULL AUTO_INCREMENT,
  trabajo_realizado varchar(80) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE clientes (
  id int NOT NULL AUTO_INCREMENT,
  cliente varchar(45) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE operaciones (
  id varchar(4) NOT NULL,
  operacion varchar(60) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE propietarios (
  propietario_id int NOT NULL AUTO_INCREMENT,
  propietario varchar(50) NULL,
  apellido_propietario varchar(40) NULL,
  nombre_propietario varchar(40) NULL,
  tipoDoc varchar(4) NULL,
  nroDoc varchar(13) NULL,
  email varchar(128) NULL,
  telefono varchar(20) NULL,
  celular varchar(20) NULL,
  celular_carac varchar(5) NULL,
  calle varchar(50) NULL,
  nro varchar(5) NULL,
  barrio varchar(17) NULL,
  localidad varchar(30) NULL,
  codigoPostal varchar(8) NULL,
  provincia varchar(25) NULL,
  PRIMARY KEY (propietario_id),
  KEY propietarios_nombre (propietario),
  KEY propietarios_doc (nroDoc)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE marcas (
  marca varchar(20) NOT NULL,
  PRIMARY KEY (marca)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE marcas_modelos (
  marca_m varchar(20) NOT NULL,
  modelo_m varchar(20) NOT NULL,
  PRIMARY KEY (marca_m, modelo_m)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- ---------------------------------------- delivery tokens (the workstations')
-- One row per write a workstation started: written in the same transaction as
-- the write itself, so that after a lost connection the workstation can tell
-- whether its write was committed, and a second send of the same write fails
-- on the key instead of storing it twice. Only the workstations read it.
CREATE TABLE tarvil_escrituras (
  token char(32) NOT NULL,
  tipo varchar(20) NOT NULL,
  ref int NULL,
  hora timestamp NOT NULL DEFAULT current_timestamp(),
  PRIMARY KEY (token)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
