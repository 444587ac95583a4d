<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>报警参数</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>仪表参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>事件记录</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>查看报警、通讯和操作的记录（F8）</source>
        <translation>View the alarm, link and operator records (F8)</translation>
    </message>
    <message>
        <source>导出记录</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>把一段时间的记录存为 CSV 表格或 PDF 报表（F9）</source>
        <translation>Save the records of a period as a CSV table or a PDF report (F9)</translation>
    </message>
    <message>
        <source>参数校准</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>结束程序（Esc）</source>
        <translation>End the program (Esc)</translation>
    </message>
</context>
</TS>
