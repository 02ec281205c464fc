-- The demo catalogue of the suite: PBX brands and models with their driver files, and the
-- date and time formats that fields and conditions can use. Plain SQL that SQLite and
-- PostgreSQL both take; every column is text. Time codes follow the date codes and the
-- "Nessuno" entry of the editor's format lists (date 1-11, "Nessuno" 12, time 13 on).
CREATE TABLE Pabx (sMarca VARCHAR(50), sModello VARCHAR(50), sNomeDriver VARCHAR(255));
CREATE TABLE FormatiData (sCodice VARCHAR(10), sFormato VARCHAR(50));
CREATE TABLE FormatiOra (sCodice VARCHAR(10), sFormato VARCHAR(50));

INSERT INTO FormatiData (sCodice, sFormato) VALUES ('1', 'gg/mm/aa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('2', 'gg/mm/aaaa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('3', 'aa/mm/gg');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('4', 'gg.mm.aa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('5', 'mm/gg/aa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('6', 'ggmmaa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('7', 'gg mmm aaaa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('8', 'gg/mm');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('9', 'mm-gg-aaaa');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('10', 'aaaammgg');
INSERT INTO FormatiData (sCodice, sFormato) VALUES ('11', 'gg.mm.aaaa');

INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('13', 'hh:mm');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('14', 'hh:mm:ss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('15', 'hhmm');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('16', 'mm:ss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('17', 'hh.mm');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('18', 'hhmmss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('19', 'h:mm:ss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('20', 'mmss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('21', 'ss');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('22', 'h:mm AM/PM');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('23', 'h:mmAM/PM');
INSERT INTO FormatiOra (sCodice, sFormato) VALUES ('24', 'm:ss');

INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Alcatel', 'OmniPCX Office', 'AlcatelOXO.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Alcatel', '4400', 'Alcatel4400.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Ericsson', 'MD110', 'EricssonMD110.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Ericsson', 'BP250', 'EricssonBP250.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Panasonic', 'KX-TDA200', 'PanasonicTDA.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Panasonic', 'KX-TES824', 'PanasonicTES.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Samsung', 'OfficeServ 7200', 'SamsungOS7200.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Selta', 'SAM IP', 'SeltaSAM.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Siemens', 'HiPath 3550', 'SiemensHiPath.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('NEC', 'SV8100', 'NecSV8100.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Mitel', 'MX-ONE', 'MitelMXONE.drv');
INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Tie', 'Onix', 'TieOnix.drv');
