<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AlarmRows</name>
    <message>
        <source>报警%1设定值</source>
        <translation>Alarm %1 set point</translation>
    </message>
    <message>
        <source>报警%1动作回差</source>
        <translation>Alarm %1 hysteresis</translation>
    </message>
    <message>
        <source>报警%1延迟时间</source>
        <translation>Alarm %1 delay</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>参数比较</source>
        <translation>Compare parameters</translation>
    </message>
    <message>
        <source>文件 %1 与仪表当前参数相同</source>
        <translation>File %1 matches the instrument&apos;s parameters</translation>
    </message>
    <message>
        <source>文件 %1 与仪表当前参数有 %2 处不同</source>
        <translation>File %1 differs from the instrument in %2 places</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ConfigWindow</name>
    <message>
        <source>修改后离开输入框或按回车即写入仪表，Esc 撤销修改；当前值每秒刷新</source>
        <translation>Written on leaving a field or on Enter, Esc undoes; values refresh each second</translation>
    </message>
    <message>
        <source>TQ5800 配置 </source>
        <translation>TQ5800 Configuration </translation>
    </message>
    <message>
        <source>配置窗口只能用“ Esc 返回”按钮或 Esc 键关闭</source>
        <translation>Close the configuration window with &quot; Esc Back&quot; or the Esc key</translation>
    </message>
    <message>
        <source>参数下载进行中，结束后才能返回</source>
        <translation>Parameter download in progress; wait for it to end</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1：%2，未写入</source>
        <translation>%1: %2, not written</translation>
    </message>
    <message>
        <source>%1：未修改，未写入</source>
        <translation>%1: not changed, nothing written</translation>
    </message>
    <message>
        <source>%1：与仪表当前值相同，未写入</source>
        <translation>%1: the instrument holds this value, nothing written</translation>
    </message>
    <message>
        <source>%1：正在写入 %2 = %3</source>
        <translation>%1: writing %2 = %3</translation>
    </message>
    <message>
        <source>%1：已写入 %2 = %3</source>
        <translation>%1: written %2 = %3</translation>
    </message>
    <message>
        <source>仪表无应答</source>
        <translation>no answer from the instrument</translation>
    </message>
    <message>
        <source>%1：写入失败（已重试一次）：%2</source>
        <translation>%1: write failed (retried once): %2</translation>
    </message>
    <message>
        <source> Esc 返回</source>
        <translation> Esc Back</translation>
    </message>
</context>
<context>
    <name>DifferenceTable</name>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>文件中的值</source>
        <translation>In file</translation>
    </message>
    <message>
        <source>仪表中的值</source>
        <translation>In instrument</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>DownloadDialog</name>
    <message>
        <source>不下载（通讯设置）</source>
        <translation>Not sent (link setting)</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>失败：%1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <source>将写入</source>
        <translation>To be written</translation>
    </message>
    <message>
        <source>下载</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>文件 %1 与仪表当前参数相同，无需下载</source>
        <translation>File %1 matches the instrument; nothing to download</translation>
    </message>
    <message>
        <source>文件 %1 中不同的只有通讯设置，不下载</source>
        <translation>File %1 differs only in communication settings; nothing is downloaded</translation>
    </message>
    <message>
        <source>文件 %1 与仪表有 %2 处不同，将写入 %3 个参数。按“下载”开始，此前不写入任何参数。</source>
        <translation>File %1 differs from the instrument in %2 places; %3 parameters will be written. Press &quot;Download&quot; to start; nothing is written before.</translation>
    </message>
    <message>
        <source>正在下载文件 %1 …</source>
        <translation>Downloading file %1…</translation>
    </message>
    <message>
        <source>未下载：%1</source>
        <translation>Not downloaded: %1</translation>
    </message>
    <message>
        <source>已写入</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>未写入</source>
        <translation>Not written</translation>
    </message>
    <message>
        <source>下载完成：%1 个参数已写入并读回核对</source>
        <translation>Download complete: %1 parameters written and verified</translation>
    </message>
    <message>
        <source>下载中止：%1；%2 个参数已写入，%3 个参数未写入</source>
        <translation>Download stopped: %1; %2 parameters written, %3 not written</translation>
    </message>
</context>
<context>
    <name>EntryValue</name>
    <message>
        <source>没有输入数值</source>
        <translation>no value entered</translation>
    </message>
    <message>
        <source>输入不是以数字开头</source>
        <translation>entry does not start with a number</translation>
    </message>
    <message>
        <source>数值超出寄存器范围 -32768～32767</source>
        <translation>value outside the register range -32768 to 32767</translation>
    </message>
    <message>
        <source>列表中没有这个代码</source>
        <translation>no such code in the list</translation>
    </message>
    <message>
        <source>数值超出参数范围</source>
        <translation>value outside the parameter's range</translation>
    </message>
    <message>
        <source>数值须在 %1 到 %2 之间</source>
        <translation>the value must be between %1 and %2</translation>
    </message>
</context>
<context>
    <name>InstrumentSetReader</name>
    <message>
        <source>参数 %1～%2</source>
        <translation>parameters %1-%2</translation>
    </message>
    <message>
        <source>报警设定点</source>
        <translation>alarm set points</translation>
    </message>
    <message>
        <source>设定SV</source>
        <translation>set value SV</translation>
    </message>
    <message>
        <source>读取%1失败：%2</source>
        <translation>reading %1 failed: %2</translation>
    </message>
</context>
<context>
    <name>ParameterCatalogue</name>
    <message>
        <source>0:摄氏度 </source>
        <translation>0:Celsius </translation>
    </message>
    <message>
        <source>1:华氏度 </source>
        <translation>1:Fahrenheit </translation>
    </message>
    <message>
        <source>2:绝对温度K </source>
        <translation>2:Kelvin K </translation>
    </message>
    <message>
        <source>0:线性输出 </source>
        <translation>0:Linear </translation>
    </message>
    <message>
        <source>1:继电器 </source>
        <translation>1:Relay </translation>
    </message>
    <message>
        <source>2:晶体管 </source>
        <translation>2:Transistor </translation>
    </message>
    <message>
        <source>3:可控硅 </source>
        <translation>3:Thyristor </translation>
    </message>
    <message>
        <source>0:加热反作用 </source>
        <translation>0:Heat, reverse </translation>
    </message>
    <message>
        <source>1:制冷正作用 </source>
        <translation>1:Cool, direct </translation>
    </message>
    <message>
        <source>0:转预置 </source>
        <translation>0:Preset </translation>
    </message>
    <message>
        <source>1:维持开路 </source>
        <translation>1:Hold open </translation>
    </message>
    <message>
        <source>0:禁止 </source>
        <translation>0:Off </translation>
    </message>
    <message>
        <source>1:上限 </source>
        <translation>1:High </translation>
    </message>
    <message>
        <source>2:下限 </source>
        <translation>2:Low </translation>
    </message>
    <message>
        <source>3:上偏差 </source>
        <translation>3:Dev. high </translation>
    </message>
    <message>
        <source>4:下偏差 </source>
        <translation>4:Dev. low </translation>
    </message>
    <message>
        <source>5:偏差带 </source>
        <translation>5:Dev. band </translation>
    </message>
    <message>
        <source>6:制冷继电器输出</source>
        <translation>6:Cooling relay</translation>
    </message>
    <message>
        <source>0:无校验 </source>
        <translation>0:None </translation>
    </message>
    <message>
        <source>1:奇校验 </source>
        <translation>1:Odd </translation>
    </message>
    <message>
        <source>2:偶校验 </source>
        <translation>2:Even </translation>
    </message>
    <message>
        <source>0:变送测量值 </source>
        <translation>0:PV </translation>
    </message>
    <message>
        <source>1:变送设定值 </source>
        <translation>1:SV </translation>
    </message>
    <message>
        <source>2:变送输出值 </source>
        <translation>2:Output </translation>
    </message>
    <message>
        <source>3:变送偏差值</source>
        <translation>3:Deviation</translation>
    </message>
    <message>
        <source>1:允许 </source>
        <translation>1:On </translation>
    </message>
    <message>
        <source>摄氏度</source>
        <translation>Celsius</translation>
    </message>
    <message>
        <source>华氏度</source>
        <translation>Fahrenheit</translation>
    </message>
    <message>
        <source>绝对温度</source>
        <translation>Kelvin</translation>
    </message>
    <message>
        <source>线性输出</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>继电器R</source>
        <translation>Relay R</translation>
    </message>
    <message>
        <source>晶体管T</source>
        <translation>Transistor T</translation>
    </message>
    <message>
        <source>可控硅S</source>
        <translation>Thyristor S</translation>
    </message>
    <message>
        <source>加热-反作用</source>
        <translation>Heat-reverse</translation>
    </message>
    <message>
        <source>制冷-正作用</source>
        <translation>Cool-direct</translation>
    </message>
    <message>
        <source>转预置</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>维持开路</source>
        <translation>Hold open</translation>
    </message>
    <message>
        <source>禁止</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>上限</source>
        <translation>High</translation>
    </message>
    <message>
        <source>下限</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>上偏差</source>
        <translation>Dev. high</translation>
    </message>
    <message>
        <source>下偏差</source>
        <translation>Dev. low</translation>
    </message>
    <message>
        <source>偏差带</source>
        <translation>Dev. band</translation>
    </message>
    <message>
        <source>制冷继电器输出</source>
        <translation>Cooling relay</translation>
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
        <source>变送测量值</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>变送设定值</source>
        <translation>SV</translation>
    </message>
    <message>
        <source>变送输出值</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>变送偏差值</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>允许</source>
        <translation>On</translation>
    </message>
    <message>
        <source>输入信号类型</source>
        <translation>Input type</translation>
    </message>
    <message>
        <source>23种工业传感器信号。默认值：0-K型热电偶</source>
        <translation>23 industrial sensor signals. Default: 0 (type K thermocouple)</translation>
    </message>
    <message>
        <source>小数点位置</source>
        <translation>Decimal point</translation>
    </message>
    <message>
        <source>0-3， 0：0000 ，  1：000.0 ，  2：00.00 ，  3：0.000。默认值：0</source>
        <translation>0-3: 0 = 0000, 1 = 000.0, 2 = 00.00, 3 = 0.000. Default: 0</translation>
    </message>
    <message>
        <source>输入上限</source>
        <translation>Input high</translation>
    </message>
    <message>
        <source>-1999~ 9999。默认值：5000</source>
        <translation>-1999 to 9999. Default: 5000</translation>
    </message>
    <message>
        <source>输入下限</source>
        <translation>Input low</translation>
    </message>
    <message>
        <source>-1999~ 9999。默认值：0</source>
        <translation>-1999 to 9999. Default: 0</translation>
    </message>
    <message>
        <source>平移修正</source>
        <translation>PV offset</translation>
    </message>
    <message>
        <source>-500~ 500。默认值：0</source>
        <translation>-500 to 500. Default: 0</translation>
    </message>
    <message>
        <source>数字滤波</source>
        <translation>Input filter</translation>
    </message>
    <message>
        <source>0.1-100.0S。 数值越大响应越慢。默认值：1S</source>
        <translation>0.1-100.0 s. Larger is slower. Default: 1.0 s</translation>
    </message>
    <message>
        <source>温度单位</source>
        <translation>Temperature unit</translation>
    </message>
    <message>
        <source>0-摄氏度C，1-华氏度F， 2-绝对温度K。默认值：0</source>
        <translation>0 = °C, 1 = °F, 2 = K. Default: 0</translation>
    </message>
    <message>
        <source>上电报警免除</source>
        <translation>Power-on alarm inhibit</translation>
    </message>
    <message>
        <source>0-禁止，1-允许 。默认值：0-禁止</source>
        <translation>0 = off, 1 = on. Default: 0 (off)</translation>
    </message>
    <message>
        <source>上电缓启动</source>
        <translation>Soft start</translation>
    </message>
    <message>
        <source>上电缓启动时间</source>
        <translation>Soft start time</translation>
    </message>
    <message>
        <source>1-999S。 默认值：0S</source>
        <translation>1-999 s. Default: 0 s</translation>
    </message>
    <message>
        <source>输出类型</source>
        <translation>Output type</translation>
    </message>
    <message>
        <source>0：线性输出，1-继电器，2-晶体管输出，3-可控硅.。默认值：0</source>
        <translation>0 = linear, 1 = relay, 2 = transistor, 3 = thyristor. Default: 0</translation>
    </message>
    <message>
        <source>线性信号量程</source>
        <translation>Linear output range</translation>
    </message>
    <message>
        <source>0：4MA20,1:0MA10,2:0MA20。默认值：0</source>
        <translation>0 = 4-20 mA, 1 = 0-10 mA, 2 = 0-20 mA. Default: 0</translation>
    </message>
    <message>
        <source>加热制冷方式</source>
        <translation>Heat/cool action</translation>
    </message>
    <message>
        <source>0：加热反作用,1:制冷正作用。默认值：0</source>
        <translation>0 = heat (reverse), 1 = cool (direct). Default: 0</translation>
    </message>
    <message>
        <source>比例带</source>
        <translation>Proportional band</translation>
    </message>
    <message>
        <source>工程量单位。 0-9999。 默认值：20</source>
        <translation>Engineering units, 0-9999. Default: 20</translation>
    </message>
    <message>
        <source>积分时间</source>
        <translation>Integral time</translation>
    </message>
    <message>
        <source>秒。0-3600S。 默认值：120</source>
        <translation>Seconds, 0-3600 s. Default: 120</translation>
    </message>
    <message>
        <source>微分时间</source>
        <translation>Derivative time</translation>
    </message>
    <message>
        <source>秒。 0-999.9S。默认值：30</source>
        <translation>Seconds, 0-999 s. Default: 30</translation>
    </message>
    <message>
        <source>输出周期时间</source>
        <translation>Cycle time</translation>
    </message>
    <message>
        <source>秒。1.0-200.0S。 当输出为非线性模块时用。 默认值：2</source>
        <translation>Seconds, 1-200 s. For non-linear outputs. Default: 2</translation>
    </message>
    <message>
        <source>位式控制回差</source>
        <translation>On/off hysteresis</translation>
    </message>
    <message>
        <source>0-2000LSB 。避免位式控制时动作频繁。默认值：1</source>
        <translation>0-2000 LSB. Stops on/off control from chattering. Default: 1</translation>
    </message>
    <message>
        <source>输出上限幅</source>
        <translation>Output high limit</translation>
    </message>
    <message>
        <source>0.0%-100.0%。 输出上限幅用途。 默认值：100.0</source>
        <translation>0.0%-100.0%. Upper output limit. Default: 100.0</translation>
    </message>
    <message>
        <source>输出下限幅</source>
        <translation>Output low limit</translation>
    </message>
    <message>
        <source>0.0%-100.0%。 输出下限幅用途。默认值：0.0</source>
        <translation>0.0%-100.0%. Lower output limit. Default: 0.0</translation>
    </message>
    <message>
        <source>输入异常预置值</source>
        <translation>Input fault output</translation>
    </message>
    <message>
        <source>0.0%-100.0%。 当输入异常时，输出预置值。默认值：0.0%</source>
        <translation>0-100%. Output preset on input fault. Default: 0%</translation>
    </message>
    <message>
        <source>输入异常处理</source>
        <translation>Input fault action</translation>
    </message>
    <message>
        <source>0-转输出预置值，1-维持开路输出状态。默认值：0</source>
        <translation>0 = go to output preset, 1 = hold open output. Default: 0</translation>
    </message>
    <message>
        <source>加热制冷不感带</source>
        <translation>Heat/cool dead band</translation>
    </message>
    <message>
        <source>1.0%-20.0%。 避免系统频繁启动加热制冷输出的不动作区。默认值：1.0%</source>
        <translation>1.0%-20.0%. Band with no heat/cool action, against frequent switching. Default: 1.0%</translation>
    </message>
    <message>
        <source>制冷延迟时间启动</source>
        <translation>Cooling start delay</translation>
    </message>
    <message>
        <source>1-600。 当制冷作用时，延迟制冷启动间隔，保护压缩机。默认值：600S</source>
        <translation>1-600. Delay before cooling starts, protects the compressor. Default: 600 s</translation>
    </message>
    <message>
        <source>报警1方式</source>
        <translation>Alarm 1 mode</translation>
    </message>
    <message>
        <source>0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带。默认值：0</source>
        <translation>0-5: 0 = off, 1 = high, 2 = low, 3 = dev. high, 4 = dev. low, 5 = dev. band. Default: 0</translation>
    </message>
    <message>
        <source>报警2方式</source>
        <translation>Alarm 2 mode</translation>
    </message>
    <message>
        <source>报警3方式</source>
        <translation>Alarm 3 mode</translation>
    </message>
    <message>
        <source>0-5，0：无,1:上限，2：下限，3：上偏差，4：下偏差，5：偏差带，6：制冷继电器输出 。默认值：0</source>
        <translation>0-6: 0 = off, 1 = high, 2 = low, 3 = dev. high, 4 = dev. low, 5 = dev. band, 6 = cooling relay. Default: 0</translation>
    </message>
    <message>
        <source>通讯地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>1-247。默认值：1</source>
        <translation>1-247. Default: 1</translation>
    </message>
    <message>
        <source>通讯波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>0-4800，1-9600，2-19200 。Default=1</source>
        <translation>0 = 4800, 1 = 9600, 2 = 19200 baud. Default: 1</translation>
    </message>
    <message>
        <source>校验方式</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>0-无校验，1-奇校验，2-偶校验，Default=0</source>
        <translation>0 = none, 1 = odd, 2 = even. Default: 0</translation>
    </message>
    <message>
        <source>通讯延迟时间</source>
        <translation>Reply delay</translation>
    </message>
    <message>
        <source>0-60MS。默认值：0</source>
        <translation>0-60 ms. Default: 0</translation>
    </message>
    <message>
        <source>变送信号类型</source>
        <translation>Retransmission signal</translation>
    </message>
    <message>
        <source>0-2，0：4MA20,1:0MA10,2:0MA20。默认值：0</source>
        <translation>0-2: 0 = 4-20 mA, 1 = 0-10 mA, 2 = 0-20 mA. Default: 0</translation>
    </message>
    <message>
        <source>变送目标</source>
        <translation>Retransmitted value</translation>
    </message>
    <message>
        <source>0-3，0：变送测量值，1-变送设定值，2-变送输出值，3-变送偏差值。默认：0</source>
        <translation>0-3: 0 = PV, 1 = SV, 2 = output, 3 = deviation. Default: 0</translation>
    </message>
    <message>
        <source>变送上限</source>
        <translation>Retransmission high</translation>
    </message>
    <message>
        <source>-1999~ 9999。默认值：1000</source>
        <translation>-1999 to 9999. Default: 1000</translation>
    </message>
    <message>
        <source>变送下限</source>
        <translation>Retransmission low</translation>
    </message>
    <message>
        <source>输入配置</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>输出配置</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>报警配置</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>通讯配置</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>变送配置</source>
        <translation>Retransmission</translation>
    </message>
</context>
<context>
    <name>ParameterDownload</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>参数组有误，未写入：%1</source>
        <translation>parameter set invalid, nothing written: %1</translation>
    </message>
    <message>
        <source>未写入：%1</source>
        <translation>nothing written: %1</translation>
    </message>
    <message>
        <source>写入失败：%1</source>
        <translation>write failed: %1</translation>
    </message>
    <message>
        <source>读回失败：%1</source>
        <translation>read-back failed: %1</translation>
    </message>
    <message>
        <source>仪表保持 %1，不是写入的 %2</source>
        <translation>instrument kept %1, not the written %2</translation>
    </message>
</context>
<context>
    <name>ParameterPage</name>
    <message>
        <source>写入失败</source>
        <translation>Write failed</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>当前值</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>修改为</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>注意：仪表的通讯地址、波特率或校验方式改变后，须在主窗口按新的设置重新打开链路，否则通讯中断。</source>
        <translation>Note: after changing the instrument&apos;s address, baud rate or parity, reopen the link in the main window with the new settings, or communication stops.</translation>
    </message>
</context>
<context>
    <name>ParameterRowView</name>
    <message>
        <source>写入中…</source>
        <translation>Writing…</translation>
    </message>
    <message>
        <source>已写入</source>
        <translation>Written</translation>
    </message>
    <message>
        <source>写入失败</source>
        <translation>Write failed</translation>
    </message>
</context>
<context>
    <name>ParameterSetCommands</name>
    <message>
        <source>保存参数</source>
        <translation>Save set</translation>
    </message>
    <message>
        <source>比较参数</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>下载参数</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>打印参数表</source>
        <translation>Print sheet</translation>
    </message>
    <message>
        <source>打印仪表当前参数…</source>
        <translation>Print instrument parameters…</translation>
    </message>
    <message>
        <source>仪表当前参数存为PDF…</source>
        <translation>Instrument parameters as PDF…</translation>
    </message>
    <message>
        <source>打印参数文件…</source>
        <translation>Print parameter file…</translation>
    </message>
    <message>
        <source>参数文件存为PDF…</source>
        <translation>Parameter file as PDF…</translation>
    </message>
    <message>
        <source>正在下载参数：%1/%2</source>
        <translation>Downloading parameters: %1/%2</translation>
    </message>
    <message>
        <source>未保存</source>
        <translation>not saved</translation>
    </message>
    <message>
        <source>参数未保存：%1</source>
        <translation>Parameters not saved: %1</translation>
    </message>
    <message>
        <source>参数已保存到 %1</source>
        <translation>Parameters saved to %1</translation>
    </message>
    <message>
        <source>未比较</source>
        <translation>not compared</translation>
    </message>
    <message>
        <source>上一次下载尚未结束</source>
        <translation>The last download has not finished</translation>
    </message>
    <message>
        <source>，未写入仪表</source>
        <translation>, nothing written to the instrument</translation>
    </message>
    <message>
        <source>未下载</source>
        <translation>not downloaded</translation>
    </message>
    <message>
        <source>未打印</source>
        <translation>not printed</translation>
    </message>
    <message>
        <source>正在读取仪表参数，请稍候</source>
        <translation>Reading instrument parameters, please wait</translation>
    </message>
    <message>
        <source>正在读取仪表参数…</source>
        <translation>Reading instrument parameters…</translation>
    </message>
    <message>
        <source>读取仪表参数失败：%1，%2</source>
        <translation>Reading instrument parameters failed: %1, %2</translation>
    </message>
    <message>
        <source>参数文件 %1 不能使用：%2%3</source>
        <translation>Parameter file %1 cannot be used: %2%3</translation>
    </message>
    <message>
        <source>正在下载参数…</source>
        <translation>Downloading parameters…</translation>
    </message>
    <message>
        <source>参数未下载：%1</source>
        <translation>Parameters not downloaded: %1</translation>
    </message>
    <message>
        <source>参数下载完成：%1 个参数已写入</source>
        <translation>Download complete: %1 parameters written</translation>
    </message>
    <message>
        <source>参数下载中止：%1；%2 个参数已写入，%3 个未写入</source>
        <translation>Download stopped: %1; %2 parameters written, %3 not written</translation>
    </message>
    <message>
        <source>参数表未保存：%1</source>
        <translation>Parameter sheet not saved: %1</translation>
    </message>
    <message>
        <source>参数表已保存到 %1</source>
        <translation>Parameter sheet saved to %1</translation>
    </message>
    <message>
        <source>参数表已送往打印机</source>
        <translation>Parameter sheet sent to the printer</translation>
    </message>
    <message>
        <source>参数表未打印：打印机无法使用</source>
        <translation>Parameter sheet not printed: printer not available</translation>
    </message>
    <message>
        <source>选择参数文件</source>
        <translation>Choose parameter file</translation>
    </message>
    <message>
        <source>保存参数表</source>
        <translation>Save parameter sheet</translation>
    </message>
    <message>
        <source>参数文件 (*.json)</source>
        <translation>Parameter files (*.json)</translation>
    </message>
</context>
<context>
    <name>ParameterSetFile</name>
    <message>
        <source>%1 重复</source>
        <translation>%1 appears twice</translation>
    </message>
    <message>
        <source>%1：寄存器应为 %2</source>
        <translation>%1: register should be %2</translation>
    </message>
    <message>
        <source>%1：缺少数值</source>
        <translation>%1: value missing</translation>
    </message>
    <message>
        <source>%1：寄存器值与数值 %2 不符</source>
        <translation>%1: register value does not match value %2</translation>
    </message>
    <message>
        <source>缺少%1列表</source>
        <translation>list of %1 missing</translation>
    </message>
    <message>
        <source>未知%1 %2</source>
        <translation>unknown %1 %2</translation>
    </message>
    <message>
        <source>文件过大，不是参数文件</source>
        <translation>file too large, not a parameter file</translation>
    </message>
    <message>
        <source>文件不完整或不是 JSON（第 %1 字节：%2）</source>
        <translation>file incomplete or not JSON (byte %1: %2)</translation>
    </message>
    <message>
        <source>不是参数文件</source>
        <translation>not a parameter file</translation>
    </message>
    <message>
        <source>型号“%1”不是 %2</source>
        <translation>model &quot;%1&quot; is not %2</translation>
    </message>
    <message>
        <source>缺少格式版本</source>
        <translation>format version missing</translation>
    </message>
    <message>
        <source>格式版本 %1 比本站能读的 %2 新</source>
        <translation>format version %1 is newer than %2, the newest this station reads</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>parameters</translation>
    </message>
    <message>
        <source>报警设定点</source>
        <translation>alarm set points</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>ParameterSheet</name>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>寄存器</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Choice</translation>
    </message>
    <message>
        <source>%1 参数表</source>
        <translation>%1 Parameter Sheet</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>仪表：地址 %1，端口 %2</source>
        <translation>Instrument: address %1, port %2</translation>
    </message>
    <message>
        <source>读取时间：%1</source>
        <translation>Read at: %1</translation>
    </message>
    <message>
        <source>来源：%1</source>
        <translation>Source: %1</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>instrument</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>file %1</translation>
    </message>
    <message>
        <source>无法生成PDF</source>
        <translation>cannot create the PDF</translation>
    </message>
</context>
<context>
    <name>SetCheck</name>
    <message>
        <source>%1：%2，%3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message>
        <source>%1：数值须在 %2 到 %3 之间</source>
        <translation>%1: value must be between %2 and %3</translation>
    </message>
    <message>
        <source>型号 %1 不是 %2</source>
        <translation>model %1 is not %2</translation>
    </message>
    <message>
        <source>寄存器 %1 不属于参数组</source>
        <translation>register %1 is not in a parameter set</translation>
    </message>
    <message>
        <source>缺少参数：%1</source>
        <translation>parameter missing: %1</translation>
    </message>
</context>
<context>
    <name>SetSlots</name>
    <message>
        <source>设定SV</source>
        <translation>Set value SV</translation>
    </message>
</context>
</TS>
