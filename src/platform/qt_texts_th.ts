<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>ตกลง</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>ใช่(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>ไม่ใช่(&amp;N)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Print</source>
        <translation>พิมพ์</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>พิมพ์(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Options &gt;&gt;</source>
        <translation>ตัวเลือก(&amp;O) &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Options &lt;&lt;</source>
        <translation>ตัวเลือก(&amp;O) &lt;&lt;</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>ทุกหน้า</translation>
    </message>
    <message>
        <source>Odd Pages</source>
        <translation>หน้าคี่</translation>
    </message>
    <message>
        <source>Even Pages</source>
        <translation>หน้าคู่</translation>
    </message>
    <message>
        <source>Print to File (PDF)</source>
        <translation>พิมพ์ลงแฟ้ม (PDF)</translation>
    </message>
</context>
<context>
    <name>QPrintWidget</name>
    <message>
        <source>Printer</source>
        <translation>เครื่องพิมพ์</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>ชื่อ(&amp;N):</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>คุณสมบัติ(&amp;R)</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>ที่ตั้ง:</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>ตัวอย่าง</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>ชนิด:</translation>
    </message>
    <message>
        <source>Output &amp;file:</source>
        <translation>แฟ้มผลลัพธ์(&amp;F):</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Print range</source>
        <translation>ช่วงที่พิมพ์</translation>
    </message>
    <message>
        <source>Print all</source>
        <translation>พิมพ์ทั้งหมด</translation>
    </message>
    <message>
        <source>Pages from</source>
        <translation>หน้าที่</translation>
    </message>
    <message>
        <source>to</source>
        <translation>ถึง</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>หน้า</translation>
    </message>
    <message>
        <source>Current Page</source>
        <translation>หน้าปัจจุบัน</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>ส่วนที่เลือก</translation>
    </message>
    <message>
        <source>Page Set:</source>
        <translation>ชุดหน้า:</translation>
    </message>
    <message>
        <source>Output Settings</source>
        <translation>การตั้งค่าผลลัพธ์</translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation>จำนวนชุด:</translation>
    </message>
    <message>
        <source>Collate</source>
        <translation>เรียงชุด</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>กลับลำดับ</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>จำนวนชุด</translation>
    </message>
    <message>
        <source>Color Mode</source>
        <translation>โหมดสี</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>สี</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>ขาวดำ</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>พิมพ์สองหน้า</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>เย็บด้านยาว</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>เย็บด้านสั้น</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>ตัวเลือก</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>เลิกทำ(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>ทำซ้ำ(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>ตัด(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>วาง(&amp;P)</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>ลบ</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>เลือกทั้งหมด</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>เลือกทั้งหมด(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>เพิ่มขึ้น(&amp;S)</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>ลดลง(&amp;D)</translation>
    </message>
</context>
<context>
    <name>plat::Printers</name>
    <message>
        <source>No printer is installed</source>
        <translation>ไม่มีเครื่องพิมพ์ติดตั้งอยู่ในเครื่องนี้</translation>
    </message>
    <message>
        <source>No printer is chosen</source>
        <translation>ยังไม่ได้เลือกเครื่องพิมพ์</translation>
    </message>
    <message>
        <source>No printer named %1 is installed</source>
        <translation>ไม่พบเครื่องพิมพ์ชื่อ %1 ในเครื่องนี้</translation>
    </message>
    <message>
        <source>The printer %1 cannot be used</source>
        <translation>ใช้เครื่องพิมพ์ %1 ไม่ได้</translation>
    </message>
    <message>
        <source>No spool file for the printer %1</source>
        <translation>สร้างแฟ้มงานพิมพ์สำหรับเครื่องพิมพ์ %1 ไม่ได้</translation>
    </message>
    <message>
        <source>The print job has ended</source>
        <translation>งานพิมพ์นี้จบไปแล้ว</translation>
    </message>
    <message>
        <source>The printer %1 did not accept the job</source>
        <translation>เครื่องพิมพ์ %1 ไม่รับงานพิมพ์นี้</translation>
    </message>
    <message>
        <source>The printer %1 refused a new page</source>
        <translation>เครื่องพิมพ์ %1 ไม่รับการขึ้นหน้าใหม่</translation>
    </message>
    <message>
        <source>The job could not be sent to %1</source>
        <translation>ส่งงานพิมพ์ไปยังเครื่องพิมพ์ %1 ไม่ได้</translation>
    </message>
</context>
<context>
    <name>plat::Dialogs</name>
    <message>
        <source>Nothing was printed: no printer is installed.</source>
        <translation>ไม่ได้พิมพ์ เพราะไม่มีเครื่องพิมพ์ติดตั้งอยู่ในเครื่องนี้</translation>
    </message>
    <message>
        <source>The bill printer %1 is missing.</source>
        <translation>ไม่พบเครื่องพิมพ์ใบเสร็จ %1</translation>
    </message>
    <message>
        <source>The printer %1 is not installed. Choose the printer for this document.</source>
        <translation>ไม่พบเครื่องพิมพ์ %1 ในเครื่องนี้ กรุณาเลือกเครื่องพิมพ์สำหรับเอกสารนี้</translation>
    </message>
</context>
</TS>
