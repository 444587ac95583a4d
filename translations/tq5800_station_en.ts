<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutBox</name>
    <message>
        <source>过程控制仪表 TQ5800 工作站
版本 %1

历史文件：%2
事件记录：%3
归档：%4

Qt %5</source>
        <translation>TQ5800 process controller station
Version %1

History file: %2
Event journal: %3
Archive: %4

Qt %5</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>未启用</source>
        <translation>not in use</translation>
    </message>
    <message>
        <source>曲线图：相邻样本间距 %1，绘图区 %2 × %3（图表单位）</source>
        <translation>Chart: %1 between samples, drawing area %2 × %3 (chart units)</translation>
    </message>
</context>
<context>
    <name>AlarmPanel</name>
    <message>
        <source>写入寄存器 %1，范围 -1999 到 9999</source>
        <translation>Writes register %1, range -1999 to 9999</translation>
    </message>
</context>
<context>
    <name>ChartPanel</name>
    <message>
        <source>F4 标尺</source>
        <translation>F4 Ruler</translation>
    </message>
    <message>
        <source>F4 复原</source>
        <translation>F4 Reset</translation>
    </message>
    <message>
        <source>标尺位置：移到最左端向过去翻页，最右端向当前翻页</source>
        <translation>Ruler position: at the left end shows older data, at the right end newer data</translation>
    </message>
    <message>
        <source>F1 缩小</source>
        <translation>F1 Zoom-</translation>
    </message>
    <message>
        <source>显示更长的一段时间</source>
        <translation>Show a longer period</translation>
    </message>
    <message>
        <source>F2 放大</source>
        <translation>F2 Zoom+</translation>
    </message>
    <message>
        <source>显示更短的一段时间</source>
        <translation>Show a shorter period</translation>
    </message>
    <message>
        <source>F3 打印</source>
        <translation>F3 Print</translation>
    </message>
    <message>
        <source>打印曲线，也可存为 PDF 文件</source>
        <translation>Print the chart, or save it as a PDF file</translation>
    </message>
    <message>
        <source>标尺：用上方滑块读出曲线上某一时刻的数值</source>
        <translation>Ruler: read the values at one moment with the slider above</translation>
    </message>
    <message>
        <source>F5 选择</source>
        <translation>F5 Select</translation>
    </message>
    <message>
        <source>显示某一日期时间的历史曲线</source>
        <translation>Show the history chart at a date and time</translation>
    </message>
    <message>
        <source>F6 左移</source>
        <translation>F6 Newer</translation>
    </message>
    <message>
        <source>历史曲线向当前翻一页</source>
        <translation>Show newer history, one page towards now</translation>
    </message>
    <message>
        <source>F7 右移</source>
        <translation>F7 Older</translation>
    </message>
    <message>
        <source>历史曲线向过去翻一页（60 条记录）</source>
        <translation>Show older history, one page back (60 samples)</translation>
    </message>
    <message>
        <source>PV、SV 曲线的上端，-12000 到 36000</source>
        <translation>Top of the PV and SV curves, -12000 to 36000</translation>
    </message>
    <message>
        <source>PV、SV 曲线的下端，-12000 到 32767，不大于Y轴最大</source>
        <translation>Bottom of the PV and SV curves, -12000 to 32767, not above Y max</translation>
    </message>
    <message>
        <source>修改Y</source>
        <translation>Set Y</translation>
    </message>
    <message>
        <source>Y轴最大</source>
        <translation>Y max</translation>
    </message>
    <message>
        <source>Y轴最小</source>
        <translation>Y min</translation>
    </message>
    <message>
        <source>%1 至 %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>历史曲线 %1</source>
        <translation>History %1</translation>
    </message>
</context>
<context>
    <name>ChartPrint</name>
    <message>
        <source>%1：测量值PV %2    设定值SV %3    输出值OP %4 %</source>
        <translation>%1: PV %2    SV %3    OP %4 %</translation>
    </message>
</context>
<context>
    <name>ExitQuestion</name>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>退出工作站？记录、通讯和转发将停止</source>
        <translation>Exit the station? Recording, communication and forwarding will stop</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>HeaderBar</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>HistorySelectPopup</name>
    <message>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>显示时刻</source>
        <translation>Show moment</translation>
    </message>
</context>
<context>
    <name>LinkFailureText</name>
    <message>
        <source>设备不存在</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>无权使用端口</source>
        <translation>no permission for the port</translation>
    </message>
    <message>
        <source>端口无法打开</source>
        <translation>port cannot be opened</translation>
    </message>
    <message>
        <source>端口 %1 未打开</source>
        <translation>port %1 not open</translation>
    </message>
    <message>
        <source>通讯设置无效</source>
        <translation>invalid link settings</translation>
    </message>
    <message>
        <source>无应答</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>校验错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>应答不符</source>
        <translation>wrong answer</translation>
    </message>
    <message>
        <source>仪表拒绝（异常码 %1）</source>
        <translation>refused by instrument (exception %1)</translation>
    </message>
    <message>
        <source>线路不停有数据</source>
        <translation>line never quiet</translation>
    </message>
    <message>
        <source>地址或数值超出范围</source>
        <translation>address or value out of range</translation>
    </message>
    <message>
        <source>通讯错误</source>
        <translation>link error</translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation>unknown cause</translation>
    </message>
    <message>
        <source>重新同步失败：</source>
        <translation>resync failed: </translation>
    </message>
</context>
<context>
    <name>LinkSettingsBar</name>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>无校验</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>端口 %1，%2，%3，地址 %4</source>
        <translation>port %1, %2, %3, address %4</translation>
    </message>
    <message>
        <source>链路已打开：%1</source>
        <translation>Link open: %1</translation>
    </message>
    <message>
        <source>%1；%2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>%1“%2”不是数字，按 0 使用</source>
        <translation>%1 &quot;%2&quot; is not a number, 0 is used</translation>
    </message>
    <message>
        <source>%1“%2”不在 1..%3 之内</source>
        <translation>%1 &quot;%2&quot; is not within 1..%3</translation>
    </message>
    <message>
        <source>通讯端口选择</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>通讯端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>校验方式</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>模块地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>LivePanel</name>
    <message>
        <source>实时数据</source>
        <translation>Live values</translation>
    </message>
    <message>
        <source>测量值PV</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>输出值OP</source>
        <translation>OP</translation>
    </message>
    <message>
        <source>设定值SV</source>
        <translation>SV</translation>
    </message>
    <message>
        <source>写入值</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>设定SV</source>
        <translation>Set SV</translation>
    </message>
    <message>
        <source>写入仪表的设定值，范围 -1999 到 9999</source>
        <translation>Set value written to the instrument, range -1999 to 9999</translation>
    </message>
    <message>
        <source>手动OP值</source>
        <translation>Manual OP</translation>
    </message>
    <message>
        <source>设定OP</source>
        <translation>Set OP</translation>
    </message>
    <message>
        <source>手动输出值，单位 %，范围 -1999 到 3276.7</source>
        <translation>Manual output in %, range -1999 to 3276.7</translation>
    </message>
    <message>
        <source>报警状态</source>
        <translation>Alarm states</translation>
    </message>
    <message>
        <source>报警%1状态</source>
        <translation>Alarm %1</translation>
    </message>
    <message>
        <source>当前报警</source>
        <translation>Active alarms</translation>
    </message>
    <message>
        <source>运行状态</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>自整定</source>
        <translation>Autotune</translation>
    </message>
    <message>
        <source>手动/自动</source>
        <translation>Man/Auto</translation>
    </message>
    <message>
        <source>手动禁止</source>
        <translation>Man lock</translation>
    </message>
</context>
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
        <source>本工作站没有参数校准功能</source>
        <translation>This station has no parameter calibration</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>结束程序（Esc）</source>
        <translation>End the program (Esc)</translation>
    </message>
    <message>
        <source>端口打开失败：</source>
        <translation>Port open failed: </translation>
    </message>
    <message>
        <source>历史数据库已重新打开</source>
        <translation>History database reopened</translation>
    </message>
    <message>
        <source>历史数据库无法打开，曲线只显示实时数据：</source>
        <translation>History database cannot be opened, the chart shows live data only: </translation>
    </message>
    <message>
        <source>主窗口只能用“退出”按钮或 Esc 关闭</source>
        <translation>The main window closes only with &quot;Exit&quot; or Esc</translation>
    </message>
    <message>
        <source>历史数据读取失败，曲线保持原样：</source>
        <translation>History read failed, the chart is unchanged: </translation>
    </message>
    <message>
        <source>历史曲线 </source>
        <translation>History </translation>
    </message>
    <message>
        <source>实时曲线 </source>
        <translation>Live </translation>
    </message>
    <message>
        <source>标尺处 %1 %2</source>
        <translation>At ruler %1 %2</translation>
    </message>
    <message>
        <source>打印时 %1</source>
        <translation>Printed %1</translation>
    </message>
    <message>
        <source>打印失败：打印机未能打印这一页</source>
        <translation>Print failed: the printer did not print the page</translation>
    </message>
    <message>
        <source>%1 没有可显示的记录</source>
        <translation>No records to show at %1</translation>
    </message>
    <message>
        <source>过程控制仪表  TQ5800</source>
        <translation>Process Controller  TQ5800</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>PanelCaptions</name>
    <message>
        <source>传感器类型</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>小数点位置</source>
        <translation>Decimal point</translation>
    </message>
    <message>
        <source>输入上限</source>
        <translation>Input high</translation>
    </message>
    <message>
        <source>输入下限</source>
        <translation>Input low</translation>
    </message>
    <message>
        <source>输入偏移修正</source>
        <translation>Input offset</translation>
    </message>
    <message>
        <source>数字滤波常数</source>
        <translation>Filter const.</translation>
    </message>
    <message>
        <source>温度单位</source>
        <translation>Temp. unit</translation>
    </message>
    <message>
        <source>输出类型</source>
        <translation>Output type</translation>
    </message>
    <message>
        <source>输出线性类型</source>
        <translation>Out linearity</translation>
    </message>
    <message>
        <source>输出作用类型</source>
        <translation>Out action</translation>
    </message>
    <message>
        <source>比例带</source>
        <translation>Prop. band</translation>
    </message>
    <message>
        <source>积分时间</source>
        <translation>Integral time</translation>
    </message>
    <message>
        <source>微分时间</source>
        <translation>Deriv. time</translation>
    </message>
    <message>
        <source>输出控制周期</source>
        <translation>Control cycle</translation>
    </message>
    <message>
        <source>位式控制回差</source>
        <translation>On/off hyst.</translation>
    </message>
    <message>
        <source>输出上限</source>
        <translation>Output high</translation>
    </message>
    <message>
        <source>输出下限</source>
        <translation>Output low</translation>
    </message>
    <message>
        <source>输入异常预置值</source>
        <translation>Fault input</translation>
    </message>
    <message>
        <source>开路处理方法</source>
        <translation>Break action</translation>
    </message>
    <message>
        <source>报警1类型</source>
        <translation>Alarm 1 type</translation>
    </message>
    <message>
        <source>报警2类型</source>
        <translation>Alarm 2 type</translation>
    </message>
    <message>
        <source>报警3类型</source>
        <translation>Alarm 3 type</translation>
    </message>
    <message>
        <source>通讯地址</source>
        <translation>Comm address</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>校验方式</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>通讯延迟</source>
        <translation>Comm delay</translation>
    </message>
    <message>
        <source>变送量程</source>
        <translation>Retrans. range</translation>
    </message>
    <message>
        <source>变送参数选择</source>
        <translation>Retrans. src</translation>
    </message>
    <message>
        <source>变送上限</source>
        <translation>Retrans. high</translation>
    </message>
    <message>
        <source>变送下限</source>
        <translation>Retrans. low</translation>
    </message>
    <message>
        <source>加热制冷不感带</source>
        <translation>H/C deadband</translation>
    </message>
    <message>
        <source>制冷保护时间</source>
        <translation>Cool protect</translation>
    </message>
</context>
<context>
    <name>PanelStates</name>
    <message>
        <source>ALM1报警</source>
        <translation>ALM1 ON</translation>
    </message>
    <message>
        <source>ALM2报警</source>
        <translation>ALM2 ON</translation>
    </message>
    <message>
        <source>ALM3报警</source>
        <translation>ALM3 ON</translation>
    </message>
    <message>
        <source>输入开路</source>
        <translation>INPUT BREAK</translation>
    </message>
    <message>
        <source>输入短路</source>
        <translation>INPUT SHORT</translation>
    </message>
    <message>
        <source>自整定开</source>
        <translation>TUNE ON</translation>
    </message>
    <message>
        <source>自整定关</source>
        <translation>TUNE OFF</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>手动</source>
        <translation>MANUAL</translation>
    </message>
    <message>
        <source>手动允许</source>
        <translation>MAN ALLOWED</translation>
    </message>
    <message>
        <source>手动禁止</source>
        <translation>MAN LOCKED</translation>
    </message>
    <message>
        <source>上限报警</source>
        <translation>High alarm</translation>
    </message>
    <message>
        <source>下限报警</source>
        <translation>Low alarm</translation>
    </message>
    <message>
        <source>上偏差报警</source>
        <translation>High dev.</translation>
    </message>
    <message>
        <source>下偏差报警</source>
        <translation>Low dev.</translation>
    </message>
    <message>
        <source>偏差带报警</source>
        <translation>Dev. band</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>过程控制仪表</source>
        <translation>Process Controller</translation>
    </message>
    <message>
        <source>系统正在初始化数据引擎，请稍后。。。。。。</source>
        <translation>Starting the data engine, please wait......</translation>
    </message>
</context>
<context>
    <name>StaleAge</name>
    <message>
        <source>%1 秒前</source>
        <translation>%1 s ago</translation>
    </message>
    <message>
        <source>%1 分钟前</source>
        <translation>%1 min ago</translation>
    </message>
    <message>
        <source>%1 小时前</source>
        <translation>%1 h ago</translation>
    </message>
    <message>
        <source>%1 天前</source>
        <translation>%1 d ago</translation>
    </message>
    <message>
        <source>仪表最后确认这些值：%1</source>
        <translation>The instrument last confirmed these values at %1</translation>
    </message>
</context>
<context>
    <name>Station</name>
    <message>
        <source>仪表 %1 · %2</source>
        <translation>Instrument %1 · %2</translation>
    </message>
    <message>
        <source>端口 %1</source>
        <translation>Port %1</translation>
    </message>
    <message>
        <source>历史数据库 %1 已被占用：%2</source>
        <translation>History database %1 is in use: %2</translation>
    </message>
    <message>
        <source>事件记录文件 %1 已被占用：%2</source>
        <translation>Journal %1 is in use: %2</translation>
    </message>
    <message>
        <source>归档文件夹 %1 已被占用：%2</source>
        <translation>Archive folder %1 is in use: %2</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>原因不明</source>
        <translation>unknown cause</translation>
    </message>
    <message>
        <source>记录正常：历史文件于 %1 被替换，改记新文件</source>
        <translation>Recording: history file replaced at %1, writing the new file</translation>
    </message>
    <message>
        <source>记录正常：历史文件于 %1 被删除，已重建</source>
        <translation>Recording: history file deleted at %1, recreated</translation>
    </message>
    <message>
        <source>记录正常</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source> 自 </source>
        <translation> since </translation>
    </message>
    <message>
        <source>（%1 起）</source>
        <translation> (since %1)</translation>
    </message>
    <message>
        <source>（从未应答）</source>
        <translation> (never answered)</translation>
    </message>
    <message>
        <source>（最后应答 %1）</source>
        <translation> (last answer %1)</translation>
    </message>
    <message>
        <source>链路未打开</source>
        <translation>Link closed</translation>
    </message>
    <message>
        <source>选择端口后按“打开”连接仪表</source>
        <translation>Choose the port, then press &quot;Open&quot; to connect</translation>
    </message>
    <message>
        <source>正在连接仪表</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>链路已打开，等待第一轮读取</source>
        <translation>Link open, waiting for the first read</translation>
    </message>
    <message>
        <source>通讯正常</source>
        <translation>Link OK</translation>
    </message>
    <message>
        <source>仪表应答每一次读取</source>
        <translation>The instrument answers every read</translation>
    </message>
    <message>
        <source>通讯不稳%1：部分读取无应答</source>
        <translation>Link unstable%1: some reads unanswered</translation>
    </message>
    <message>
        <source>上一轮 %1 次读取中 %2 次失败：%3
%4</source>
        <translation>%2 of %1 reads failed in the last cycle: %3
%4</translation>
    </message>
    <message>
        <source>通讯中断%1%2：%3</source>
        <translation>Link lost%1%2: %3</translation>
    </message>
    <message>
        <source>记录未启动</source>
        <translation>Not recording</translation>
    </message>
    <message>
        <source>记录器尚未打开数据库</source>
        <translation>The recorder has not opened the database yet</translation>
    </message>
    <message>
        <source>每秒一条记录写入数据库</source>
        <translation>One sample per second written to the database</translation>
    </message>
    <message>
        <source>记录不完整：sl_void 缺少记录</source>
        <translation>Recording incomplete: sl_void has no row</translation>
    </message>
    <message>
        <source>记录失败%1：%2%3</source>
        <translation>Recording failed%1: %2%3</translation>
    </message>
    <message>
        <source>记录暂停%1：无新的仪表数据</source>
        <translation>Recording paused%1: no new data</translation>
    </message>
    <message>
        <source>仪表超过两个轮询周期未应答：这段时间不记录，历史曲线在此留空</source>
        <translation>No answer for over two poll cycles: nothing is recorded, the history chart stays empty here</translation>
    </message>
    <message>
        <source>事件记录正常写入 %1</source>
        <translation>Event journal written to %1</translation>
    </message>
    <message>
        <source>事件记录失败：%1%2</source>
        <translation>Event journal failed: %1%2</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>归档正常写入 %1</source>
        <translation>Archive written to %1</translation>
    </message>
    <message>
        <source>归档失败：%1%2</source>
        <translation>Archive failed: %1%2</translation>
    </message>
    <message>
        <source>输入的不是数字</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>数值须在 %1 到 %2 之间</source>
        <translation>value must be from %1 to %2</translation>
    </message>
    <message>
        <source>换算后超出仪表寄存器范围，数值须在 %1 到 %2 之间</source>
        <translation>does not fit the instrument register, value must be from %1 to %2</translation>
    </message>
    <message>
        <source>最小值不能大于最大值</source>
        <translation>minimum may not exceed maximum</translation>
    </message>
    <message>
        <source>最大值与最小值之差不能超过 %1</source>
        <translation>maximum minus minimum may not exceed %1</translation>
    </message>
    <message>
        <source>“%1”未执行：%2</source>
        <translation>&quot;%1&quot; not done: %2</translation>
    </message>
    <message>
        <source>“%1” 未修改，没有写入</source>
        <translation>&quot;%1&quot; unchanged, nothing written</translation>
    </message>
    <message>
        <source>链路未打开：先按“打开”</source>
        <translation>Link not open: press &quot;Open&quot; first</translation>
    </message>
    <message>
        <source>“%1”未执行：链路未打开，先按“打开”</source>
        <translation>&quot;%1&quot; not done: link not open, press &quot;Open&quot; first</translation>
    </message>
    <message>
        <source>“%1” %2 写入失败%3：%4</source>
        <translation>&quot;%1&quot; %2 write failed%3: %4</translation>
    </message>
    <message>
        <source>（已重试一次）</source>
        <translation> (retried once)</translation>
    </message>
    <message>
        <source>“%1” 切换失败：%2</source>
        <translation>&quot;%1&quot; switch failed: %2</translation>
    </message>
    <message>
        <source>“%1” %2 已写入</source>
        <translation>&quot;%1&quot; %2 written</translation>
    </message>
    <message>
        <source>“%1” 已切换</source>
        <translation>&quot;%1&quot; switched</translation>
    </message>
    <message>
        <source>进程 %1</source>
        <translation>process %1</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>，主机 %1</source>
        <translation>, host %1</translation>
    </message>
    <message>
        <source>，%1 起</source>
        <translation>, since %1</translation>
    </message>
    <message>
        <source>端口 %1（%2）已被占用：%3</source>
        <translation>Port %1 (%2) is in use: %3</translation>
    </message>
    <message>
        <source>转发到 %1</source>
        <translation>Forwarding to %1</translation>
    </message>
    <message>
        <source>转发中断：%1%2</source>
        <translation>Forwarding interrupted: %1%2</translation>
    </message>
    <message>
        <source>（文件未锁定）</source>
        <translation> (file not locked)</translation>
    </message>
    <message>
        <source>历史文件未锁定：另一工作站可能同时写入它</source>
        <translation>The history file is not locked: another station could write it too</translation>
    </message>
    <message>
        <source>不是历史文件：%1</source>
        <translation>not a history file: %1</translation>
    </message>
    <message>
        <source>不是事件记录文件：%1</source>
        <translation>not a journal file: %1</translation>
    </message>
    <message>
        <source>不是归档文件：%1</source>
        <translation>not an archive file: %1</translation>
    </message>
    <message>
        <source>文件已损坏：%1</source>
        <translation>file damaged: %1</translation>
    </message>
    <message>
        <source>无权写入文件夹 %1</source>
        <translation>no permission to write the folder %1</translation>
    </message>
    <message>
        <source>无权写入文件 %1</source>
        <translation>no permission to write the file %1</translation>
    </message>
    <message>
        <source>文件夹不存在：%1</source>
        <translation>folder missing: %1</translation>
    </message>
    <message>
        <source>是文件而不是文件夹：%1</source>
        <translation>a file, not a folder: %1</translation>
    </message>
    <message>
        <source>是文件夹而不是文件：%1</source>
        <translation>a folder, not a file: %1</translation>
    </message>
    <message>
        <source>不是普通文件：%1</source>
        <translation>not a plain file: %1</translation>
    </message>
    <message>
        <source>磁盘只读：%1</source>
        <translation>read-only disk: %1</translation>
    </message>
    <message>
        <source>磁盘已满：%1</source>
        <translation>disk full: %1</translation>
    </message>
    <message>
        <source>文件被进程 %1 占用：%2</source>
        <translation>file in use by process %1: %2</translation>
    </message>
    <message>
        <source>文件被其他程序占用：%1</source>
        <translation>file in use by another program: %1</translation>
    </message>
</context>
<context>
    <name>WriteRequest</name>
    <message>
        <source>报警1设定值</source>
        <translation>Alarm 1 set</translation>
    </message>
    <message>
        <source>报警1动作回差</source>
        <translation>Alarm 1 hyst.</translation>
    </message>
    <message>
        <source>报警1延迟时间</source>
        <translation>Alarm 1 delay</translation>
    </message>
    <message>
        <source>报警2设定值</source>
        <translation>Alarm 2 set</translation>
    </message>
    <message>
        <source>报警2动作回差</source>
        <translation>Alarm 2 hyst.</translation>
    </message>
    <message>
        <source>报警2延迟时间</source>
        <translation>Alarm 2 delay</translation>
    </message>
    <message>
        <source>报警3设定值</source>
        <translation>Alarm 3 set</translation>
    </message>
    <message>
        <source>报警3动作回差</source>
        <translation>Alarm 3 hyst.</translation>
    </message>
    <message>
        <source>报警3延迟时间</source>
        <translation>Alarm 3 delay</translation>
    </message>
    <message>
        <source>修改Y</source>
        <translation>Set Y</translation>
    </message>
    <message>
        <source>设定SV</source>
        <translation>Set SV</translation>
    </message>
    <message>
        <source>设定OP</source>
        <translation>Set OP</translation>
    </message>
    <message>
        <source>自整定</source>
        <translation>Autotune</translation>
    </message>
    <message>
        <source>手动/自动</source>
        <translation>Man/Auto</translation>
    </message>
    <message>
        <source>手动禁止</source>
        <translation>Man lock</translation>
    </message>
</context>
</TS>
