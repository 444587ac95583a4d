<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ArchiveSampleSource</name>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>ExportOutcomeText</name>
    <message>
        <source>这段时间没有记录</source>
        <translation>No records in this period</translation>
    </message>
    <message>
        <source>历史数据库不能读取</source>
        <translation>History database cannot be read</translation>
    </message>
    <message>
        <source>文件不能写入</source>
        <translation>File cannot be written</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>导出已取消，未写入文件</source>
        <translation>Export cancelled, no file written</translation>
    </message>
    <message>
        <source>未写入文件：%1</source>
        <translation>No file written: %1</translation>
    </message>
    <message>
        <source>已导出 %1 个采样：%2</source>
        <translation>Exported %1 samples: %2</translation>
    </message>
    <message>
        <source>报表已写入（%1 个采样）：%2</source>
        <translation>Report written (%1 samples): %2</translation>
    </message>
    <message>
        <source>；跳过损坏的月文件 %1</source>
        <translation>; skipped damaged month files %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>ExportWindow</name>
    <message>
        <source>导出记录</source>
        <translation>Export Records</translation>
    </message>
    <message>
        <source>CSV 表格</source>
        <translation>CSV table</translation>
    </message>
    <message>
        <source>报表 PDF</source>
        <translation>Report PDF</translation>
    </message>
    <message>
        <source>PV 超出 SV ± 偏差带的时间计入报表（仪表单位）</source>
        <translation>Time with PV outside SV ± band is counted in the report (instrument units)</translation>
    </message>
    <message>
        <source>报表标题中的仪表名称</source>
        <translation>Instrument name in the report heading</translation>
    </message>
    <message>
        <source>请点“另存为…”选择文件</source>
        <translation>Click &quot;Save As…&quot; to choose a file</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>从</source>
        <translation>From</translation>
    </message>
    <message>
        <source>到</source>
        <translation>To</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>偏差带</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>起始时间须早于结束时间</source>
        <translation>Start must be before end</translation>
    </message>
    <message>
        <source>起始时间不能晚于现在</source>
        <translation>Start cannot be in the future</translation>
    </message>
    <message>
        <source>偏差带须是不小于 0 的数</source>
        <translation>Band must be a number of 0 or more</translation>
    </message>
    <message>
        <source>请用“另存为…”选择文件</source>
        <translation>Choose a file with &quot;Save As…&quot;</translation>
    </message>
    <message>
        <source>未导出：%1</source>
        <translation>Not exported: %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>上一次导出尚未完成</source>
        <translation>Previous export not finished yet</translation>
    </message>
    <message>
        <source>正在导出：%1</source>
        <translation>Exporting: %1</translation>
    </message>
    <message>
        <source>正在取消…</source>
        <translation>Cancelling…</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
</context>
<context>
    <name>JournalFilterBar</name>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>从</source>
        <translation>From</translation>
    </message>
    <message>
        <source>到</source>
        <translation>To</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
</context>
<context>
    <name>JournalKinds</name>
    <message>
        <source>报警发生</source>
        <translation>Alarm raised</translation>
    </message>
    <message>
        <source>报警解除</source>
        <translation>Alarm cleared</translation>
    </message>
    <message>
        <source>链路打开</source>
        <translation>Link opened</translation>
    </message>
    <message>
        <source>链路关闭</source>
        <translation>Link closed</translation>
    </message>
    <message>
        <source>通讯中断</source>
        <translation>Comm. lost</translation>
    </message>
    <message>
        <source>通讯恢复</source>
        <translation>Comm. restored</translation>
    </message>
    <message>
        <source>写入仪表</source>
        <translation>Instrument write</translation>
    </message>
    <message>
        <source>输入被拒</source>
        <translation>Entry refused</translation>
    </message>
    <message>
        <source>历史文件不能写入</source>
        <translation>History write failed</translation>
    </message>
    <message>
        <source>历史文件恢复写入</source>
        <translation>History resumed</translation>
    </message>
    <message>
        <source>历史文件被替换</source>
        <translation>History replaced</translation>
    </message>
    <message>
        <source>归档不能写入</source>
        <translation>Archive write failed</translation>
    </message>
    <message>
        <source>归档恢复写入</source>
        <translation>Archive resumed</translation>
    </message>
    <message>
        <source>事件记录恢复写入</source>
        <translation>Journal resumed</translation>
    </message>
    <message>
        <source>工作站启动</source>
        <translation>Station started</translation>
    </message>
    <message>
        <source>工作站退出</source>
        <translation>Station exited</translation>
    </message>
    <message>
        <source>转发中断</source>
        <translation>Forwarding interrupted</translation>
    </message>
    <message>
        <source>转发恢复</source>
        <translation>Forwarding resumed</translation>
    </message>
    <message>
        <source>归档月文件删除</source>
        <translation>Archive month file removed</translation>
    </message>
    <message>
        <source>工作站未正常退出</source>
        <translation>Station ended without exit</translation>
    </message>
</context>
<context>
    <name>JournalModel</name>
    <message>
        <source>成功</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>对象</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>原值</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>新值</source>
        <translation>New</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <source>窗口</source>
        <translation>Window</translation>
    </message>
</context>
<context>
    <name>JournalWindow</name>
    <message>
        <source>事件记录</source>
        <translation>Event Journal</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>把符合筛选条件的全部事件存为 CSV 文件</source>
        <translation>Save every event matching the filter as a CSV file</translation>
    </message>
    <message>
        <source>起始时间晚于结束时间</source>
        <translation>Start is later than end</translation>
    </message>
    <message>
        <source>上一次导出尚未完成</source>
        <translation>Previous export not finished yet</translation>
    </message>
    <message>
        <source>已导出 %1 条事件：%2</source>
        <translation>Exported %1 events: %2</translation>
    </message>
    <message>
        <source>导出失败：%1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>正在导出：%1</source>
        <translation>Exporting: %1</translation>
    </message>
    <message>
        <source>事件记录文件不能读取：%1</source>
        <translation>Journal file cannot be read: %1</translation>
    </message>
</context>
<context>
    <name>PeriodGlance</name>
    <message>
        <source>仪表 %1</source>
        <translation>Instrument %1</translation>
    </message>
    <message>
        <source>仪表</source>
        <translation>Instrument</translation>
    </message>
</context>
<context>
    <name>PeriodReport</name>
    <message>
        <source>时段 %1 至 %2</source>
        <translation>Period %1 to %2</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>报表时段无效</source>
        <translation>Invalid report period</translation>
    </message>
    <message>
        <source>读取记录失败：%1</source>
        <translation>Reading records failed: %1</translation>
    </message>
    <message>
        <source>不能写入报表文件：%1</source>
        <translation>Cannot write report file: %1</translation>
    </message>
    <message>
        <source>周期报表 %1</source>
        <translation>Period Report %1</translation>
    </message>
    <message>
        <source>不能生成报表文件</source>
        <translation>Cannot create report file</translation>
    </message>
    <message>
        <source>周期报表  %1</source>
        <translation>Period Report  %1</translation>
    </message>
</context>
<context>
    <name>ReportPages</name>
    <message>
        <source>（%1%）</source>
        <translation> (%1%)</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>原值</source>
        <translation>Old</translation>
    </message>
    <message>
        <source>新值</source>
        <translation>New</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>本时段无记录</source>
        <translation>No records in this period</translation>
    </message>
    <message>
        <source>测量值PV  最小 %1    最大 %2    平均 %3</source>
        <translation>Process value PV  min %1    max %2    mean %3</translation>
    </message>
    <message>
        <source>PV 超出 SV ± %1 的时间  %2%3</source>
        <translation>Time with PV outside SV ± %1  %2%3</translation>
    </message>
    <message>
        <source>报警时间  ALM1 %1    ALM2 %2    ALM3 %3</source>
        <translation>Alarm time  ALM1 %1    ALM2 %2    ALM3 %3</translation>
    </message>
    <message>
        <source>报警状态未知的时间  %1（这些记录不含报警状态）</source>
        <translation>Time with alarm state unknown  %1 (these records hold no alarm state)</translation>
    </message>
    <message>
        <source>记录覆盖  %1（%2 个采样）    间断 %3 处，共 %4</source>
        <translation>Recorded  %1 (%2 samples)    gaps %3, total %4</translation>
    </message>
    <message>
        <source>无事件记录文件</source>
        <translation>No journal file</translation>
    </message>
    <message>
        <source>事件记录无法读取：%1</source>
        <translation>Journal cannot be read: %1</translation>
    </message>
    <message>
        <source>报警事件与操作记录  %1 条</source>
        <translation>Alarm and operator events  %1</translation>
    </message>
    <message>
        <source>%1 天 %2</source>
        <translation>%1 d %2</translation>
    </message>
    <message>
        <source>    即取自环形记录（不存报警状态）或报警输入未读到时的采样所代表的时间，不计入上面的报警时间</source>
        <translation>    Samples copied from the ring (which keeps no alarm state) or taken while the alarm inputs went unread; not in the alarm times above</translation>
    </message>
</context>
<context>
    <name>ShownEvent</name>
    <message>
        <source>无法连接服务器：请检查服务器是否运行、网络及连接参数</source>
        <translation>Cannot reach the server: check that it runs, the network and the connection string</translation>
    </message>
    <message>
        <source>服务器正在关闭或重启：恢复后自动续传，无需处理</source>
        <translation>The server is shutting down or restarting: forwarding resumes by itself when it is back</translation>
    </message>
    <message>
        <source>服务器拒绝登录：请检查用户名及 ~/.pgpass 中的密码</source>
        <translation>The server refused the login: check the user name and the password in ~/.pgpass</translation>
    </message>
    <message>
        <source>服务器上没有转发用的表：请执行 sql/historian-schema.sql</source>
        <translation>The server holds no historian tables: apply sql/historian-schema.sql</translation>
    </message>
    <message>
        <source>服务器的表版本与本站不符：请执行本站版本的 historian-schema.sql</source>
        <translation>The server&apos;s tables are of another version: apply this station&apos;s historian-schema.sql</translation>
    </message>
    <message>
        <source>无权写入服务器的表：请授予该用户 historian_writer 角色</source>
        <translation>No right to write the server's tables: grant the user the role historian_writer</translation>
    </message>
    <message>
        <source>服务器无应答：请检查服务器主机是否停顿或过载</source>
        <translation>The server does not answer: check whether its host is stopped or overloaded</translation>
    </message>
    <message>
        <source>本站的归档或转发状态文件无法读写：请检查归档文件夹</source>
        <translation>The station&apos;s archive or forwarding state file cannot be read or written: check the archive folder</translation>
    </message>
    <message>
        <source>由进程 %1 发出</source>
        <translation>Sent by process %1</translation>
    </message>
    <message>
        <source>非进程发出（如终端的 Ctrl+C）</source>
        <translation>Sent by no process (a terminal&apos;s Ctrl+C)</translation>
    </message>
    <message>
        <source>端口 %1 地址 %2</source>
        <translation>Port %1 address %2</translation>
    </message>
    <message>
        <source>寄存器 %1</source>
        <translation>register %1</translation>
    </message>
    <message>
        <source>线圈 %1</source>
        <translation>coil %1</translation>
    </message>
    <message>
        <source>（已重试一次）</source>
        <translation> (retried once)</translation>
    </message>
    <message>
        <source>%1：写入失败%2：%3</source>
        <translation>%1: write failed%2: %3</translation>
    </message>
    <message>
        <source>%1：写入失败%2：%3（%4）</source>
        <translation>%1: write failed%2: %3 (%4)</translation>
    </message>
    <message>
        <source>%1 这一分钟内有 %2 次输入被拒绝，未写入仪表</source>
        <translation>%2 entries refused in the minute %1, nothing written to the instrument</translation>
    </message>
    <message>
        <source>历史文件已被删除，改写新文件</source>
        <translation>History file deleted, writing a new file</translation>
    </message>
    <message>
        <source>另一文件已替换历史文件，改写该文件</source>
        <translation>Another file took the history file&apos;s place, writing that file</translation>
    </message>
    <message>
        <source>队列已满，%1 个采样未能归档</source>
        <translation>Queue full, %1 samples not archived</translation>
    </message>
    <message>
        <source>%1 条事件因内存上限丢失</source>
        <translation>%1 events lost at the memory limit</translation>
    </message>
    <message>
        <source>版本 %1；历史文件 %2；事件记录 %3</source>
        <translation>Version %1; history file %2; journal %3</translation>
    </message>
    <message>
        <source>主窗口</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>报警参数</source>
        <translation>Alarms</translation>
    </message>
    <message>
        <source>TQ5800 配置</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <source>历史文件缺少这期间 %1 秒的记录；这些秒已交归档保存</source>
        <translation>The history file lacks %1 seconds of this time; they went to the archive</translation>
    </message>
    <message>
        <source>历史文件缺少这期间 %1 秒的记录；没有归档，这些秒未保存</source>
        <translation>The history file lacks %1 seconds of this time; without an archive they are not kept</translation>
    </message>
    <message>
        <source>保留期限 %1 个月：已删除月文件 %2</source>
        <translation>Retention %1 months: month file %2 removed</translation>
    </message>
    <message>
        <source>上次运行没有记录退出（被强行结束或断电）；它的最后一条事件在 %1</source>
        <translation>The last run recorded no exit (killed or power lost); its last event was at %1</translation>
    </message>
</context>
</TS>
