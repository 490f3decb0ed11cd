-- The shop's database. The program reads and writes these tables but never creates or alters one;
-- the build makes the shipped template database from this file and seed.sql.
-- Codes are TEXT so leading zeros stay; product, category, customer and supplier codes compare
-- without regard to case, user names exactly. Money and quantities are REAL, whole numbers and bill
-- numbers INTEGER. Dates are 'YYYY-MM-DD' and times 'HH:MM:SS', refused in any other form.

CREATE TABLE Product (
  PId      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  PName    TEXT,
  Price    REAL,
  Price1   REAL,
  Price2   REAL,
  Quantity REAL,
  CID      TEXT COLLATE NOCASE,
  ProNoun  TEXT,
  PoOrder  INTEGER
);
CREATE INDEX ProductByCategory ON Product (CID);
-- The touch picker reads a category a window of rows at a time, in code order.
CREATE INDEX ProductByCategoryCode ON Product (CID, PId);

CREATE TABLE Category (
  CateID   TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  CateName TEXT
);

CREATE TABLE Sell (
  PID         TEXT COLLATE NOCASE,
  SellTime    TEXT CHECK (time(SellTime) IS SellTime),
  SellDate    TEXT CHECK (date(SellDate, '+0 days') IS SellDate),
  BuyDate     TEXT CHECK (date(BuyDate, '+0 days') IS BuyDate),
  BuyId       TEXT,
  SQuantity   REAL,
  SPrice      REAL,
  Comment     INTEGER,
  CustomerId  TEXT COLLATE NOCASE,
  Employee    TEXT,
  Recieve     REAL,
  Discontinue INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX SellByDateBill ON Sell (SellDate, Comment);
CREATE INDEX SellByBill ON Sell (Comment);
CREATE INDEX SellByProduct ON Sell (PID);
CREATE INDEX SellByCustomerDate ON Sell (CustomerId, SellDate);
-- The period reports sum a range of days per product from this index alone, without the table.
CREATE INDEX SellByDateProduct ON Sell (SellDate, PID, SQuantity, SPrice);

CREATE TABLE Buy (
  PId         TEXT COLLATE NOCASE,
  BuyDate     TEXT CHECK (date(BuyDate, '+0 days') IS BuyDate),
  BuyTime     TEXT CHECK (time(BuyTime) IS BuyTime),
  BQuantity   REAL,
  BPrice      REAL,
  BuyId       TEXT,
  RemainQ     REAL,
  SupplierID  TEXT COLLATE NOCASE,
  Discontinue INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX BuyByProductDate ON Buy (PId, BuyDate);
CREATE INDEX BuyByDateInvoice ON Buy (BuyDate, BuyId);
CREATE INDEX BuyBySupplier ON Buy (SupplierID);
-- The purchase period reports sum a range of days per product from this index alone.
CREATE INDEX BuyByDateProduct ON Buy (BuyDate, PId, BQuantity, BPrice);

CREATE TABLE Customers (
  CustomerId   TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  CompanyName  TEXT,
  ContactName  TEXT,
  ContactTitle TEXT,
  Address      TEXT,
  City         TEXT,
  Region       TEXT,
  PostalCode   TEXT,
  Country      TEXT,
  Phone        TEXT,
  Fax          TEXT,
  Discount     INTEGER
);

CREATE TABLE Suppliers (
  SupplierId   TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  SupType      TEXT,
  CompanyName  TEXT,
  ContactName  TEXT,
  ContactTitle TEXT,
  Address      TEXT,
  City         TEXT,
  Region       TEXT,
  PostalCode   TEXT,
  Country      TEXT,
  Phone        TEXT,
  Fax          TEXT,
  Homepage     TEXT,
  BusinessDesc TEXT,
  Email        TEXT
);

CREATE TABLE Security (
  UserName   TEXT COLLATE BINARY NOT NULL PRIMARY KEY,
  Password   TEXT,
  Permission INTEGER
);

CREATE TABLE settingkb (
  KBID   INTEGER NOT NULL PRIMARY KEY,
  PID    TEXT COLLATE NOCASE NOT NULL DEFAULT '',
  KBName TEXT
);

-- Planner statistics of a shop of some years (one million sale lines, 100,000 products), so the
-- planner reads a range of days by date from the first query on, not by product code.
ANALYZE;
DELETE FROM sqlite_stat1;
INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES
  ('Product', 'sqlite_autoindex_Product_1', '100000 1'),
  ('Product', 'ProductByCategory', '100000 1000'),
  ('Product', 'ProductByCategoryCode', '100000 1000 1'),
  ('Category', 'sqlite_autoindex_Category_1', '100 1'),
  ('Sell', 'SellByDateBill', '1000000 1400 5'),
  ('Sell', 'SellByBill', '1000000 100'),
  ('Sell', 'SellByProduct', '1000000 10'),
  ('Sell', 'SellByCustomerDate', '1000000 50000 50'),
  ('Sell', 'SellByDateProduct', '1000000 1400 2 2 1'),
  ('Buy', 'BuyByProductDate', '200000 2 1'),
  ('Buy', 'BuyByDateInvoice', '200000 300 10'),
  ('Buy', 'BuyBySupplier', '200000 2000'),
  ('Buy', 'BuyByDateProduct', '200000 300 1 1 1'),
  ('Customers', 'sqlite_autoindex_Customers_1', '1000 1'),
  ('Suppliers', 'sqlite_autoindex_Suppliers_1', '200 1'),
  ('Security', 'sqlite_autoindex_Security_1', '10 1'),
  ('settingkb', NULL, '68');
